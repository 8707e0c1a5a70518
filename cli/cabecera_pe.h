// SPDX-License-Identifier: EUPL-1.2
#pragma once
// What a Windows program's header says: its bitness and its sections.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace thn::cli {

// 32 or 64 for an i386 or x86-64 program; nullopt for anything else.
// `bytes` is the file's beginning (its first kilobytes hold the header).
std::optional<int> BitsDeEjecutable(std::string_view bytes);

// The names of the program's sections (".text", ...); none for anything
// that is not a whole Windows program header.
std::vector<std::string> SeccionesDeEjecutable(std::string_view bytes);

}  // namespace thn::cli
