# SPDX-License-Identifier: EUPL-1.2
# Installation on a desktop: the program, its menu entry, its AppStream
# metadata and its icons, which are also the window's own.
set(THN_ID_APPSTREAM es.transhoralianorvica.transhoralianorvica)
set(THN_FECHA_VERSION 2026-12-09)  # of PROJECT_VERSION, as in paquete/changelog

install(TARGETS transhoralianorvica RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/transhoralianorvica.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/transhoralianorvica.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/${THN_ID_APPSTREAM}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${THN_ID_APPSTREAM}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon: the drawing, and its renderings at the usual sizes, made at build
# time. The renderings are compiled into the program for its window.
find_program(THN_RSVG_CONVERT rsvg-convert REQUIRED)
set(THN_ICONO_SVG ${CMAKE_CURRENT_SOURCE_DIR}/transhoralianorvica.svg)
install(FILES ${THN_ICONO_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
set(THN_ICONOS)
foreach(lado 16 32 48 64 128 256)
  set(png ${CMAKE_CURRENT_BINARY_DIR}/iconos/${lado}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${THN_RSVG_CONVERT} -w ${lado} -h ${lado} -o ${png} ${THN_ICONO_SVG}
    DEPENDS ${THN_ICONO_SVG}
    COMMENT "Icono de ${lado} píxeles"
    VERBATIM)
  list(APPEND THN_ICONOS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${lado}x${lado}/apps
          RENAME transhoralianorvica.png)
endforeach()
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/iconos)
qt_add_resources(transhoralianorvica iconos PREFIX /iconos BASE ${CMAKE_CURRENT_BINARY_DIR}/iconos
                 FILES ${THN_ICONOS})
