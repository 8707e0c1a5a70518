# SPDX-License-Identifier: EUPL-1.2
# The Windows edition: one program with nothing beside it. libxml2 comes
# from the static build of scripts/libxml2-windows.sh, the MinGW runtime is
# linked in, and every program carries a manifest that makes UTF-8 its
# code page (argv, narrow paths) as on Linux.
enable_language(RC)
set(THN_LIBXML2_WINDOWS "" CACHE PATH "libxml2 built for Windows (scripts/libxml2-windows.sh)")
find_path(THN_LIBXML2_INCLUDE libxml/parser.h PATHS ${THN_LIBXML2_WINDOWS}/include/libxml2 NO_DEFAULT_PATH
  NO_CMAKE_FIND_ROOT_PATH)
find_library(THN_LIBXML2_LIB NAMES xml2 libxml2 PATHS ${THN_LIBXML2_WINDOWS}/lib NO_DEFAULT_PATH
  NO_CMAKE_FIND_ROOT_PATH)
if(NOT THN_LIBXML2_INCLUDE OR NOT THN_LIBXML2_LIB)
  message(FATAL_ERROR "Falta libxml2 para Windows en '${THN_LIBXML2_WINDOWS}': scripts/libxml2-windows.sh")
endif()
add_library(LibXml2::LibXml2 STATIC IMPORTED)
set_target_properties(LibXml2::LibXml2 PROPERTIES
  IMPORTED_LOCATION ${THN_LIBXML2_LIB}
  INTERFACE_INCLUDE_DIRECTORIES ${THN_LIBXML2_INCLUDE}
  INTERFACE_COMPILE_DEFINITIONS LIBXML_STATIC
  INTERFACE_LINK_LIBRARIES "ws2_32;bcrypt")

add_link_options(-static)
# Wide-character Windows calls; no min/max macros.
add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)

# Every executable, tests included, gets the UTF-8 manifest.
set(THN_MANIFIESTO_RC ${CMAKE_CURRENT_LIST_DIR}/utf8.rc)
function(thn_manifiesto objetivo)
  target_sources(${objetivo} PRIVATE ${THN_MANIFIESTO_RC})
endfunction()
