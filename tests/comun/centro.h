// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Builders of small centre documents and readers of the tables an action
// wrote, for tests of both directions.

#include "dbf/tabla.h"
#include "base/texto.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace thn::prueba {

using Atributos = std::vector<std::pair<std::string, std::string>>;

// <seccion><elemento a="..."/>...</seccion>, values escaped.
std::string Seccion(const std::string& seccion, const std::string& elemento, const std::vector<Atributos>& filas);

// A whole centre document (UTF-8) around the given sections.
std::string Centro(const std::string& secciones);

// HTEMP/SOLUC.DBF, new and empty, with the fields Horalia writes; opened
// exclusively for the test to append its records.
dbf::Tabla NuevaSoluc(const std::filesystem::path& htemp);

// Every live record of a table, the given fields as UTF-8 text.
std::vector<std::vector<std::string>> Filas(const std::filesystem::path& tabla, const std::vector<std::string>& campos);

}  // namespace thn::prueba
