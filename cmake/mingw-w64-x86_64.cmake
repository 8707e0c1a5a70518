# SPDX-License-Identifier: EUPL-1.2
# Cross build for 64-bit Windows (the windows preset and libxml2 for it).
set(THN_MINGW_TRIPLETE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
