# SPDX-License-Identifier: EUPL-1.2
# thn-tdbf: a helper program on Free Pascal's TDbf (fcl-db), used by the tests
# to cross-check the table engine (dbf/) against another
# implementation, and by the import's tests to write SOLUC tables at levels
# 3, 4 and 7. Optional: without fpc the cross-check tests skip.
#
# The program lands in ${CMAKE_BINARY_DIR}/tests/thn-tdbf; the compiler's
# object and unit files stay in the build tree, never next to the source.

find_program(THN_FPC fpc)
if(NOT THN_FPC)
  message(STATUS "fpc no encontrado: las pruebas cruzadas con TDbf se omitirán")
  return()
endif()

set(THN_TDBF_FUENTE ${CMAKE_CURRENT_LIST_DIR}/thn_tdbf.pas)
set(THN_TDBF_OBJETOS ${CMAKE_BINARY_DIR}/tests/thn-tdbf.objetos)
set(THN_TDBF ${CMAKE_BINARY_DIR}/tests/thn-tdbf)

add_custom_command(
  OUTPUT ${THN_TDBF}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${THN_TDBF_OBJETOS}
  COMMAND ${THN_FPC} -Mobjfpc -O1 -l- -v0ew -FU${THN_TDBF_OBJETOS} -o${THN_TDBF} ${THN_TDBF_FUENTE}
  DEPENDS ${THN_TDBF_FUENTE}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests
  COMMENT "Compilando thn-tdbf (Free Pascal, TDbf)"
  VERBATIM)
add_custom_target(thn_tdbf ALL DEPENDS ${THN_TDBF})

foreach(prueba pruebas_dbf pruebas_importar)
  if(TARGET ${prueba})
    add_dependencies(${prueba} thn_tdbf)
    target_compile_definitions(${prueba} PRIVATE THN_TDBF="${THN_TDBF}")
  endif()
endforeach()
