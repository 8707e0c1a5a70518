// SPDX-License-Identifier: EUPL-1.2
#pragma once
// What only Wine offers a Windows program.

#include <optional>
#include <string>

namespace thn::lanzador {

// True under Wine, whose ntdll alone exports wine_get_version.
bool BajoWine();

// The Unix path of a Windows path, in UTF-8; nullopt when Wine cannot map it.
std::optional<std::string> RutaUnix(const std::wstring& windows);

// The Windows path of a Unix path (UTF-8) through the prefix's own drives;
// nullopt when no drive reaches it.
std::optional<std::wstring> RutaWindows(const std::string& unix);

}  // namespace thn::lanzador
