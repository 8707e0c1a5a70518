// SPDX-License-Identifier: EUPL-1.2
#include "so/formato_windows.h"

#include <gtest/gtest.h>

namespace thn::so {
namespace {

TEST(StrftimeDesdeWindows, ImagenesDeFechaYHora)
{
    struct Caso { const char* imagen; const char* strftime; } casos[] = {
        {"dd/MM/yyyy", "%d/%m/%Y"},
        {"d/M/yy", "%#d/%#m/%y"},
        {"dddd, d' de 'MMMM' de 'yyyy", "%A, %#d de %B de %Y"},
        {"H:mm:ss", "%#H:%M:%S"},
        {"hh:mm:ss tt", "%I:%M:%S %p"},
        {"HH'h' 'o''clock' 100%", "%Hh o'clock 100%%"},
        {"gg yyyy", " %Y"},
        {"", ""},
    };
    for (const auto& c : casos)
        EXPECT_EQ(StrftimeDesdeWindows(c.imagen), c.strftime) << c.imagen;
}

}  // namespace
}  // namespace thn::so
