# SPDX-License-Identifier: EUPL-1.2
# The Debian package, made by `cpack -G DEB` in a tree configured with the
# "paquete" preset: its documents (copyright, changelog, README), the
# lintian overrides and the control fields.
set(THN_MANTENEDOR "TransHoraliaNorvica <maintainers@users.noreply.c-seed-cfb281c2.example>")  # as in changelog
set(THN_DIR_DOC ${CMAKE_INSTALL_DATADIR}/doc/transhoralianorvica)
set(THN_PAQUETE ${CMAKE_CURRENT_LIST_DIR})
find_program(THN_GZIP gzip REQUIRED)

# The copyright file holds the licence's whole text, which Debian does not ship.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE THN_TEXTO_EUPL)
string(REGEX REPLACE "\n+$" "" THN_TEXTO_EUPL "${THN_TEXTO_EUPL}")
string(REGEX REPLACE "\n\n" "\n.\n" THN_TEXTO_EUPL "${THN_TEXTO_EUPL}")
string(REGEX REPLACE "\n" "\n " THN_TEXTO_EUPL " ${THN_TEXTO_EUPL}")
configure_file(${THN_PAQUETE}/copyright.in ${CMAKE_BINARY_DIR}/paquete/copyright @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)

set(THN_CAMBIOS ${CMAKE_BINARY_DIR}/paquete/changelog.Debian.gz)
add_custom_command(OUTPUT ${THN_CAMBIOS}
  COMMAND sh -c "\"$0\" -9n < \"$1\" > \"$2\"" ${THN_GZIP} ${THN_PAQUETE}/changelog ${THN_CAMBIOS}
  DEPENDS ${THN_PAQUETE}/changelog
  VERBATIM)
add_custom_target(thn_cambios ALL DEPENDS ${THN_CAMBIOS})

install(FILES ${CMAKE_BINARY_DIR}/paquete/copyright ${THN_CAMBIOS} ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION ${THN_DIR_DOC})
install(FILES ${THN_PAQUETE}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME transhoralianorvica)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME transhoralianorvica)
set(CPACK_PACKAGE_VENDOR "TransHoraliaNorvica")
set(CPACK_PACKAGE_CONTACT "${THN_MANTENEDOR}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "intercambio de datos de los centros entre NORVICA y Horalia")
set(CPACK_PACKAGE_DESCRIPTION "\
Convierte el documento XML de un centro educativo de NORVICA en las tablas
dBASE de Horalia (materias, profesores, aulas, grupos, franjas horarias y
asignaciones docentes) y la solución de horario de Horalia en un documento
XML de centro nuevo para NORVICA.

Incluye una pequeña ventana en español, que Horalia puede abrir dentro de
una de sus ventanas, con su ayuda, y el programa de órdenes
transhoralianorvica-cli para guiones.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${THN_URL_PROYECTO}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends: the packages of the libraries the programs and the plugin link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialogs speak Spanish with them; without them they speak English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
include(CPack)
