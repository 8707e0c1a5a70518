// SPDX-License-Identifier: EUPL-1.2
#pragma once
// What only Wine offers a Windows program.

#include <optional>
#include <string>

namespace thn::lanzador {

// True under Wine, whose ntdll alone exports wine_get_version.
bool BajoWine();

// The Windows path of a Unix path (UTF-8) through Wine's own drive mapping;
// nullopt when Wine cannot map it.
std::optional<std::wstring> RutaWindows(const std::string& unix);

// The Unix path of a Windows path, in UTF-8; nullopt when Wine cannot map it.
std::optional<std::string> RutaUnix(const std::wstring& windows);

}  // namespace thn::lanzador
