# Installation on a desktop and the Debian package.
include(GNUInstallDirs)

install(TARGETS transhoralianorvica RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/transhoralianorvica.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/transhoralianorvica.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME transhoralianorvica)
set(CPACK_PACKAGE_VENDOR "TransHoraliaNorvica")
set(CPACK_PACKAGE_CONTACT "TransHoraliaNorvica <transhoralianorvica@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Intercambio de datos entre NORVICA y Horalia")
set(CPACK_PACKAGE_DESCRIPTION "Convierte el documento XML de centro de NORVICA en las tablas dBASE de \
Horalia y la solución de horario de Horalia en un nuevo documento XML de centro.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# Depends: the packages of the libraries the programs link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialogs speak Spanish with them; without them they speak English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
include(CPack)
