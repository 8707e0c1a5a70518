// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Windows-1252 for libxml2 from the core's own tables: a libxml2 built
// without iconv (the Windows edition's) knows no such encoding, and with it
// both editions read and write those documents alike.

namespace thn::documento {

// Registers "windows-1252" (alias "cp1252") once; call before parsing.
void RegistrarWindows1252();

}  // namespace thn::documento
