// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The working tables Horalia shares with this tool: their fields, and the
// rule by which the export rebuilds one.

#include "dbf/tabla.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace thn {

struct DefinicionTabla {
    const char* nombre;                     // "ASIGNOMT"
    std::vector<dbf::DefinicionCampo> campos;
    bool borrar_indice;                     // DIASHORAST keeps a stale .MDX
};

const DefinicionTabla& TablaAsignomt();
const DefinicionTabla& TablaProft();
const DefinicionTabla& TablaAulat();
const DefinicionTabla& TablaGrupost();
const DefinicionTabla& TablaDiashorast();
const DefinicionTabla& TablaAsigt();
// The six an export rebuilds, in the order it writes them.
const std::vector<const DefinicionTabla*>& TablasExportadas();

// "PROFT" for any spelling of PROFT.DBF (or, with `indice`, PROFT.MDX) of
// the six; nothing for any other name.
std::optional<std::string> TablaExportadaDe(const std::string& fichero, bool indice);

// "ASIGNOMT" -> "ASIGNOMT.DBF" in the working directory, whatever case the
// file has on disk; the upper-case spelling when there is none yet.
std::filesystem::path RutaTabla(const std::filesystem::path& directorio, const std::string& nombre);

// Deletes the table's data file and, unless the table keeps it, its index;
// failures are not reported. Then creates the table empty, in upper case.
void RecrearTabla(const std::filesystem::path& directorio, const DefinicionTabla& tabla);

}  // namespace thn
