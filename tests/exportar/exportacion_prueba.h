// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Fixture: a working directory and a centre document to export.

#include "comun/centro.h"
#include "comun/comun.h"
#include "exportar/exportacion.h"
#include "base/error.h"

#include <gtest/gtest.h>

namespace thn::prueba {

using Tabla = std::vector<std::vector<std::string>>;

class PruebaExportacion : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directory(htemp); }

    ResultadoAccion Exportar(const std::string& secciones)
    {
        EscribirFichero(documento, Centro(secciones));
        return thn::Exportar(documento, htemp, registros, componentes);
    }

    // The message of the error the export ends with ("" when it completes).
    std::string Fallo(const std::string& secciones)
    {
        try {
            Exportar(secciones);
        } catch (const Error& e) {
            return e.what();
        }
        return "";
    }

    Tabla Leer(const std::string& tabla, const std::vector<std::string>& campos)
    {
        return Filas(htemp / (tabla + ".DBF"), campos);
    }

    DirectorioTemporal dir;
    std::filesystem::path htemp = dir / "HTEMP";
    std::filesystem::path documento = dir / "centro.xml";
    RegistrosCodigos registros;
    ComponentesTabla componentes;
};

}  // namespace thn::prueba
