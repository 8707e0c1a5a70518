// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Paths between the two sides of Wine: a Unix path as Windows programs see it,
// and a Windows path as it lies inside a prefix.

#include <string>
#include <string_view>

namespace thn::lanzador {

// "/usr/bin/x" as "Z:\usr\bin\x": Wine's Z: drive is the Unix root.
std::string RutaWindowsDesdeUnix(std::string_view unix);

// A Windows path with a drive letter ("C:\Horalia" or "c:/Horalia") as it
// lies under the prefix, through the prefix's drive links
// ("PREFIJO/dosdevices/c:/Horalia"); any other text is returned as it is.
std::string RutaEnPrefijo(std::string_view prefijo, std::string_view windows);

}  // namespace thn::lanzador
