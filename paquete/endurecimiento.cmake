# SPDX-License-Identifier: EUPL-1.2
# Debian's hardening flags (fortify, stack protector, relro, bindnow, PIE), as
# dpkg-buildflags gives them, for the build that makes the package. Included
# before any target, so that every one gets them.
option(THN_ENDURECER "Build with Debian's hardening flags (dpkg-buildflags)" OFF)
if(THN_ENDURECER)
  find_program(THN_DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
  foreach(clase CPPFLAGS CXXFLAGS LDFLAGS)
    # Run from the sources, so that the file prefix map hides their location.
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${THN_DPKG_BUILDFLAGS} --get ${clase}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE THN_${clase} OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
  # CMake reads no CPPFLAGS of its own: they go with the compiler's flags.
  string(APPEND CMAKE_CXX_FLAGS " ${THN_CPPFLAGS} ${THN_CXXFLAGS}")
  foreach(tipo EXE SHARED MODULE)
    string(APPEND CMAKE_${tipo}_LINKER_FLAGS " ${THN_LDFLAGS}")
  endforeach()
endif()
