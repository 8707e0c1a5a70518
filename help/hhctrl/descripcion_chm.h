// SPDX-License-Identifier: EUPL-1.2
#pragma once
// What a compiled help file says about itself: its title, default topic,
// contents file and index file.

#include "help/hhctrl/archivo_chm.h"

#include <string>
#include <string_view>

namespace thn::chm {

// Names as /#SYSTEM records them (paths without a leading "/"), UTF-8.
struct SistemaChm {
    std::string contenido;     // record 0
    std::string indice;        // record 1
    std::string tema_inicial;  // record 2
    std::string titulo;        // record 3
};
SistemaChm LeerSistema(std::string_view sistema);

// Names of the first window of /#WINDOWS, taken from /#STRINGS.
struct VentanaChm {
    std::string contenido, indice, tema_inicial, tema_principal;
};
VentanaChm LeerVentana(std::string_view ventanas, std::string_view cadenas);

// Stored paths ("/inicio.htm"); empty when the file has none. The default
// topic falls back on the window's, then on the first page in the file; the
// contents and index on the window's, then on the first .hhc or .hhk.
struct DescripcionChm {
    std::string titulo;
    std::string tema_inicial;
    std::string contenido;
    std::string indice;
};
DescripcionChm Describir(const ArchivoChm& archivo);

}  // namespace thn::chm
