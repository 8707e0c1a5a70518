// SPDX-License-Identifier: EUPL-1.2
#pragma once
// What every conversion of the export works with.

#include "exportar/registros_codigos.h"
#include "trabajo/componentes_tabla.h"
#include "documento/centro_leido.h"
#include "resultado/informe.h"
#include "trabajo/tablas.h"

#include <filesystem>
#include <string>

namespace thn {

struct Revision;

struct ContextoExportacion {
    const CentroLeido& documento;
    std::filesystem::path directorio;
    RegistrosCodigos& registros;
    ComponentesTabla& componentes;
    Informe& informe;
    Revision* revision = nullptr;  // a check, not an export: problems are noted, not thrown
};

// "dmateria número 3"
std::string Donde(const ElementoLeido& e);

// The working table, opened for appending only (its records go to the file
// block by block, none is kept) by the conversion that owns it;
// in a check, the texts its fields cut are noted.
dbf::Tabla AbrirParaEscribir(const ContextoExportacion& c, const DefinicionTabla& tabla);

void AnotarRecuento(Informe& informe, const std::string& tabla, std::size_t registros);

}  // namespace thn
