# SPDX-License-Identifier: EUPL-1.2
# The Windows installer of this bitness (transhoralianorvica-<v>-x64.msi or
# -x86.msi), built with wixl from transhoralianorvica.wxs beside the programs.
find_program(THN_WIXL wixl)
if(NOT THN_WIXL)
  message(STATUS "Sin wixl: no se construye el instalador MSI")
  return()
endif()
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(THN_MSI_ARQ x64)
else()
  set(THN_MSI_ARQ x86)
endif()
set(THN_MSI_FUENTE ${CMAKE_CURRENT_LIST_DIR}/transhoralianorvica.wxs CACHE INTERNAL "")
set(THN_MSI ${CMAKE_BINARY_DIR}/transhoralianorvica-${PROJECT_VERSION}-${THN_MSI_ARQ}.msi)
# wixl takes the files from the folder it runs in: the programs stripped, as
# in the zip, and the help.
set(THN_MSI_CARPETA ${CMAKE_BINARY_DIR}/msi)
file(MAKE_DIRECTORY ${THN_MSI_CARPETA})
add_custom_command(OUTPUT ${THN_MSI}
  COMMAND ${CMAKE_STRIP} -o ${THN_MSI_CARPETA}/transhoralianorvica.exe $<TARGET_FILE:transhoralianorvica>
  COMMAND ${CMAKE_STRIP} -o ${THN_MSI_CARPETA}/transhoralianorvica-cli.exe $<TARGET_FILE:transhoralianorvica-cli>
  COMMAND ${CMAKE_COMMAND} -E copy ${THN_CHM} ${THN_MSI_CARPETA}/NORVICA.chm
  COMMAND ${THN_WIXL} -a ${THN_MSI_ARQ} -D Version=${PROJECT_VERSION} -o ${THN_MSI} ${THN_MSI_FUENTE}
  WORKING_DIRECTORY ${THN_MSI_CARPETA}
  DEPENDS ${THN_MSI_FUENTE} transhoralianorvica transhoralianorvica-cli ${THN_CHM}
  COMMENT "Construyendo el instalador ${THN_MSI}"
  VERBATIM)
add_custom_target(thn_msi ALL DEPENDS ${THN_MSI})
