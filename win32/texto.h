// SPDX-License-Identifier: EUPL-1.2
#pragma once
// UTF-8 inside, UTF-16 at the Windows interfaces.

#include <string>
#include <string_view>

namespace thn::win32 {

std::wstring Ancho(std::string_view utf8);
std::string Utf8(std::wstring_view ancho);

// The core's lines end in "\n" or "\r\n"; edit controls want "\r\n".
std::wstring LineasWindows(std::string_view utf8);

}  // namespace thn::win32
