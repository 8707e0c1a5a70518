# SPDX-License-Identifier: EUPL-1.2
# Cross build for 32-bit Windows (the windows32 preset and libxml2 for it).
set(THN_MINGW_TRIPLETE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
