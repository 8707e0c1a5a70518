# SPDX-License-Identifier: EUPL-1.2
# What the Windows build ships, per bitness: the installer (MSI, see
# paquete/windows/) and, for those who copy files by hand, a zip (cpack in
# build/windows or build/windows32) with the window, the command-line
# program, the help file and the README side by side.
find_program(THN_CHMCMD chmcmd REQUIRED)
set(THN_CHM ${CMAKE_BINARY_DIR}/NORVICA.chm)
file(GLOB_RECURSE THN_FUENTES_AYUDA CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/help/chm/*)
add_custom_command(OUTPUT ${THN_CHM}
  COMMAND ${CMAKE_COMMAND} -DCHMCMD=${THN_CHMCMD} -DORIGEN=${PROJECT_SOURCE_DIR}/help/chm
          -DTRABAJO=${CMAKE_BINARY_DIR}/chm -DPROYECTO=NORVICA.hhp -DDESTINO=${THN_CHM}
          -P ${PROJECT_SOURCE_DIR}/help/compilar_chm.cmake
  DEPENDS ${THN_FUENTES_AYUDA} ${PROJECT_SOURCE_DIR}/help/compilar_chm.cmake
  COMMENT "Compilando la ayuda NORVICA.chm"
  VERBATIM)
add_custom_target(thn_ayuda_chm ALL DEPENDS ${THN_CHM})

if(TARGET transhoralianorvica)
  include(${PROJECT_SOURCE_DIR}/paquete/windows/msi.cmake)
  install(PROGRAMS $<TARGET_FILE:transhoralianorvica> DESTINATION . COMPONENT windows)
endif()
install(PROGRAMS $<TARGET_FILE:transhoralianorvica-cli> ${THN_CHM} ${PROJECT_SOURCE_DIR}/README.md
  DESTINATION . COMPONENT windows)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME transhoralianorvica)
set(CPACK_PACKAGE_FILE_NAME transhoralianorvica-${PROJECT_VERSION}-windows-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL windows)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_STRIP_FILES ON)
include(CPack)
