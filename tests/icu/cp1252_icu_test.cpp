// SPDX-License-Identifier: EUPL-1.2
#include "base/cp1252.h"
#include "base/texto.h"

#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace thn {
namespace {

struct CerrarConversor { void operator()(UConverter* c) const { ucnv_close(c); } };

// Every byte of the code page: the core's fixed tables against ICU, and the
// conversions built on them against ICU's own in both directions.
TEST(Cp1252, CadaByteComoIcu)
{
    UErrorCode estado = U_ZERO_ERROR;
    std::unique_ptr<UConverter, CerrarConversor> conv(ucnv_open("windows-1252", &estado));
    ASSERT_TRUE(U_SUCCESS(estado));
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        const char* origen = &byte;
        UErrorCode e = U_ZERO_ERROR;
        UChar32 c = ucnv_getNextUChar(conv.get(), &origen, origen + 1, &e);
        ucnv_reset(conv.get());
        if (U_FAILURE(e) || c == 0xFFFD || c == 0x1A)
            c = b;  // undefined in the page: the C1 control of that number
        EXPECT_EQ(cp1252::kUnicode[b], static_cast<char32_t>(c)) << b;
        EXPECT_EQ(cp1252::kPlegado[b], static_cast<char32_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT))) << b;

        std::string utf8;
        icu::UnicodeString(c).toUTF8String(utf8);
        const std::string ansi(1, byte);
        EXPECT_EQ(DesdeAnsi(ansi), utf8) << b;
        EXPECT_EQ(AAnsi(utf8), ansi) << b;
    }
}

}  // namespace
}  // namespace thn
