// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Addresses of topics inside a compiled help file: "file.chm::/topic.htm",
// and the links that pages use to reach other topics.

#include <optional>
#include <string>
#include <string_view>

namespace thn::chm {

struct DireccionTema {
    std::string fichero;  // the help file, without a ">window" suffix
    std::string tema;     // "/topic.htm", or empty for the default topic
};

// Splits at the first "::"; without one, the whole text is the file.
DireccionTema DividirDireccion(std::string_view direccion);

// The path of an object as the archive stores it: "/" separators, a leading
// "/", no repeated "/". Empty for an empty path. Internal objects keep their
// names ("/#SYSTEM").
std::string NormalizarRuta(std::string_view ruta);

// A topic's path without its "#fragment" or "?query".
std::string_view SinFragmento(std::string_view tema);

// The topic a link names through a help file ("ms-its:X.chm::/p.htm",
// "mk:@MSITStore:X.chm::/p.htm", "X.chm::/p.htm"): what follows "::",
// fragment kept. None for a link without "::".
std::optional<std::string> TemaDeEnlace(std::string_view enlace);

}  // namespace thn::chm
