# SPDX-License-Identifier: EUPL-1.2
# Tests of the help: the viewer against a recording stand-in of the HTML Help
# plugin, the help manager's routing, the reading of compiled help files and
# the built NORVICA.chm (pruebas_ayuda, no Qt); the real plugin and its
# window under Qt's offscreen platform (pruebas_ayuda_ventana).

set(THN_PRUEBAS_AYUDA ${CMAKE_CURRENT_SOURCE_DIR}/help)

# Stand-ins for the plugin, loaded by path.
add_library(thn_hhctrl_grabador MODULE ${THN_PRUEBAS_AYUDA}/grabador/grabador_html_help.cpp)
target_include_directories(thn_hhctrl_grabador PRIVATE ${PROJECT_SOURCE_DIR})
add_library(thn_hhctrl_sin_entrada MODULE ${THN_PRUEBAS_AYUDA}/grabador/sin_entrada.cpp)
foreach(modulo thn_hhctrl_grabador thn_hhctrl_sin_entrada)
  set_target_properties(${modulo} PROPERTIES CXX_VISIBILITY_PRESET hidden
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/help)
endforeach()

add_executable(pruebas_ayuda
  ${THN_PRUEBAS_AYUDA}/contenido_ayuda_test.cpp
  ${THN_PRUEBAS_AYUDA}/gestor_ayuda_test.cpp
  ${THN_PRUEBAS_AYUDA}/lectura_chm_test.cpp
  ${THN_PRUEBAS_AYUDA}/visor_html_help_test.cpp)
target_include_directories(pruebas_ayuda PRIVATE ${THN_PRUEBAS_AYUDA})
target_link_libraries(pruebas_ayuda PRIVATE thn_help thn_chm GTest::gtest_main GTest::gmock)
target_compile_definitions(pruebas_ayuda PRIVATE
  THN_GRABADOR="$<TARGET_FILE:thn_hhctrl_grabador>"
  THN_SIN_ENTRADA="$<TARGET_FILE:thn_hhctrl_sin_entrada>"
  THN_AYUDA_CHM="${CMAKE_BINARY_DIR}/app/NORVICA.chm"
  THN_FUENTES="${PROJECT_SOURCE_DIR}")
add_dependencies(pruebas_ayuda thn_hhctrl_grabador thn_hhctrl_sin_entrada thn_ayuda_chm)
gtest_discover_tests(pruebas_ayuda DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120 LABELS ayuda)

# The real plugin, as the program loads it from beside itself.
add_executable(pruebas_ayuda_ventana
  ${THN_PRUEBAS_AYUDA}/ventana/main_qt.cpp
  ${THN_PRUEBAS_AYUDA}/ventana/ventana_ayuda_test.cpp)
target_link_libraries(pruebas_ayuda_ventana PRIVATE thn_help thn_visor_chm GTest::gtest GTest::gmock)
target_compile_definitions(pruebas_ayuda_ventana PRIVATE THN_DIR_PROGRAMAS="${CMAKE_BINARY_DIR}/app")
gtest_discover_tests(pruebas_ayuda_ventana DISCOVERY_TIMEOUT 60
  PROPERTIES TIMEOUT 120 LABELS ayuda ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

# The help window's picture for the documentation:
#   build/ci/tests/help/thn-captura-ayuda docs/capturas/ayuda.png
add_executable(thn-captura-ayuda ${THN_PRUEBAS_AYUDA}/ventana/captura_ayuda.cpp)
target_link_libraries(thn-captura-ayuda PRIVATE thn_help Qt6::Widgets)
target_compile_definitions(thn-captura-ayuda PRIVATE THN_DIR_PROGRAMAS="${CMAKE_BINARY_DIR}/app")
set_target_properties(thn-captura-ayuda PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/help)
