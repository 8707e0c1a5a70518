# SPDX-License-Identifier: EUPL-1.2
# Tests of the desktop program: the window under Qt's offscreen platform, and
# the whole program embedded in a host window on a real X server (Xvfb).
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)

set(_app ${CMAKE_CURRENT_SOURCE_DIR}/app)
add_executable(pruebas_app
  ${_app}/main_prueba.cpp ${_app}/ventana_prueba.cpp
  ${_app}/componentes_test.cpp ${_app}/interaccion_qt_test.cpp ${_app}/plataforma_test.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/comun/comun.cpp)
target_include_directories(pruebas_app PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(pruebas_app PRIVATE thn_app Qt6::Test GTest::gtest)
target_compile_definitions(pruebas_app PRIVATE
  THN_DATOS_PRUEBA="${CMAKE_CURRENT_SOURCE_DIR}/data" THN_DIR_BINARIO="${CMAKE_BINARY_DIR}")
gtest_discover_tests(pruebas_app DISCOVERY_TIMEOUT 60
  PROPERTIES TIMEOUT 300 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

# Helpers for a real X server: a stand-in host window, and screenshots.
add_executable(thn-anfitrion-prueba ${_app}/anfitrion_prueba.cpp)
target_link_libraries(thn-anfitrion-prueba PRIVATE Qt6::Widgets)
add_executable(thn-captura-prueba ${_app}/captura_prueba.cpp)
target_link_libraries(thn-captura-prueba PRIVATE Qt6::Gui)
set_target_properties(thn-anfitrion-prueba thn-captura-prueba PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

add_test(NAME app.incrustada_en_xvfb
  COMMAND sh ${_app}/incrustada_xvfb.sh $<TARGET_FILE:transhoralianorvica>
          $<TARGET_FILE:thn-anfitrion-prueba> $<TARGET_FILE:thn-captura-prueba> ${CMAKE_SOURCE_DIR}/examples/centro.xml)
set_tests_properties(app.incrustada_en_xvfb PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120
  ENVIRONMENT "LSAN_OPTIONS=suppressions=${_app}/lsan.supp:print_suppressions=0")
