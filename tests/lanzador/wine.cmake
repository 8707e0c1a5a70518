# SPDX-License-Identifier: EUPL-1.2
# Horalia under Wine, end to end: needs the 64-bit launcher and the stand-in
# Horalia, cross-built with MinGW-w64, and the desktop program.
if(TARGET lanzador_wine64 AND TARGET transhoralianorvica)
  add_test(NAME lanzador.wine_en_xvfb
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/lanzador/wine_xvfb.sh $<TARGET_FILE:transhoralianorvica>
            $<TARGET_FILE:transhoralianorvica-cli> ${CMAKE_BINARY_DIR}/lanzador/windows64/anfitrion_horalia.exe
            $<TARGET_FILE:thn-captura-prueba>)
  set_tests_properties(lanzador.wine_en_xvfb PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300 RUN_SERIAL ON
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/app/lsan.supp:print_suppressions=0")
endif()
