# SPDX-License-Identifier: EUPL-1.2
# transhoralianorvica.exe played by a person under Wine on Xvfb: a driver
# (a Windows program) and the stand-in Horalia, run in a Wine prefix of
# their own (wine_xvfb.sh).
add_executable(thn-anfitrion-horalia WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/lanzador/windows/anfitrion_horalia.cpp)
target_link_options(thn-anfitrion-horalia PRIVATE -municode)

add_executable(thn-conductor-ventana ${CMAKE_CURRENT_SOURCE_DIR}/win32/ventana_test.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/win32/usuario.cpp ${CMAKE_CURRENT_SOURCE_DIR}/comun/comun.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/comun/centro.cpp)
target_include_directories(thn-conductor-ventana PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(thn-conductor-ventana PRIVATE thn_trabajo thn_dbf GTest::gtest_main GTest::gmock
  windowscodecs ole32 uuid)
target_compile_definitions(thn-conductor-ventana PRIVATE THN_DATOS_PRUEBA="" THN_DIR_BINARIO="")
thn_manifiesto(thn-conductor-ventana)

add_test(NAME win32.ventana
  COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/win32/wine_xvfb.sh $<TARGET_FILE:thn-conductor-ventana>
          $<TARGET_FILE:transhoralianorvica> ${CMAKE_BINARY_DIR}/NORVICA.chm $<TARGET_FILE:thn-anfitrion-horalia>
          $<TARGET_FILE:transhoralianorvica-cli> ${PROJECT_SOURCE_DIR}/examples/centro.xml)
set_tests_properties(win32.ventana PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 600 RUN_SERIAL ON)
