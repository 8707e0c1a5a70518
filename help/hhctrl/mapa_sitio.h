// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The contents (.hhc) and index (.hhk) of a compiled help file: nested HTML
// lists of <OBJECT type="text/sitemap"> entries, each with a Name and, unless
// it is a book or a heading, a Local topic.

#include <string>
#include <string_view>
#include <vector>

namespace thn::chm {

struct EntradaSitio {
    std::string nombre;  // UTF-8, entities decoded
    std::string local;   // the topic as written ("inicio.htm"); empty for a book
    std::vector<EntradaSitio> hijos;
};

// Nesting deeper than kProfundidadMaxima is flattened into the deepest level.
constexpr std::size_t kProfundidadMaxima = 16;

// `texto` in windows-1252, as these files are written. Tags and attribute
// names are read without regard to letter case; an entry's first Name and
// first Local count; unbalanced lists are closed at the end.
std::vector<EntradaSitio> LeerMapaSitio(std::string_view texto);

}  // namespace thn::chm
