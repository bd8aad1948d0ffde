# A Release build on Debian takes the distribution's build flags, as its own packages do:
# fortified string functions, the stack protector, and read-only relocations bound at start
# (hardening=+all; PIE is the compiler's default there). dpkg-buildflags gives them as they are
# on this system; where it is missing (another system, a cross build) nothing changes.
if(NOT CMAKE_BUILD_TYPE STREQUAL "Release" OR CMAKE_CROSSCOMPILING OR TALLIMARK_SANITIZE)
  return()
endif()
find_program(TALLIMARK_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT TALLIMARK_DPKG_BUILDFLAGS)
  return()
endif()

function(tallimark_dpkg_buildflags kind out)
  # Run in the source folder: dpkg-buildflags maps it to "." in the debug information.
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            ${TALLIMARK_DPKG_BUILDFLAGS} --get ${kind}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed: ${status}")
  endif()
  separate_arguments(flags UNIX_COMMAND "${flags}")
  set(${out} ${flags} PARENT_SCOPE)
endfunction()

tallimark_dpkg_buildflags(CPPFLAGS cppflags)
tallimark_dpkg_buildflags(CXXFLAGS cxxflags)
tallimark_dpkg_buildflags(LDFLAGS ldflags)
# They come after CMake's own Release flags, so Debian's -O2 and -g win over -O3, as in a build
# of Debian's; the package's binaries are stripped all the same.
add_compile_options(${cppflags} ${cxxflags})
add_link_options(${ldflags})
list(JOIN cxxflags " " shown_cxxflags)
list(JOIN cppflags " " shown_cppflags)
list(JOIN ldflags " " shown_ldflags)
message(STATUS "Debian's build flags: ${shown_cppflags} ${shown_cxxflags}; linking: ${shown_ldflags}")
