// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The bitness of a Windows program, read from its executable's header.

#include <optional>
#include <string_view>

namespace thn::cli {

// 32 or 64 for an i386 or x86-64 program; nullopt for anything else.
// `bytes` is the file's beginning (its first kilobytes hold the header).
std::optional<int> BitsDeEjecutable(std::string_view bytes);

}  // namespace thn::cli
