# Desktop integration, the sample memos and the Debian package, included from app/.
# The program looks for the memos in the folder it starts in, so the menu entry starts it in
# the folder of the installed memos. The prefix is known only when installing (cpack installs
# under its own), hence the file is written then.
set(TALLIMARK_DESKTOP_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/tallimark.desktop.in)
install(CODE "
  set(TALLIMARK_MEMO_DIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/tallimark\")
  configure_file(\"${TALLIMARK_DESKTOP_TEMPLATE}\"
                 \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/tallimark.desktop\" @ONLY)
  message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/tallimark.desktop\")
")
install(FILES ${CMAKE_CURRENT_LIST_DIR}/tallimark.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/examples/Bron.rtf ${PROJECT_SOURCE_DIR}/examples/Source.rtf
        DESTINATION ${CMAKE_INSTALL_DATADIR}/tallimark)
if(EXISTS ${PROJECT_SOURCE_DIR}/examples/Grade10A)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/Grade10A
          DESTINATION ${CMAKE_INSTALL_DATADIR}/tallimark/examples)
endif()

# Manual pages and the changelog go in compressed as Debian wants them: gzip -9n leaves out the
# name and time, so the same sources give the same package.
find_program(TALLIMARK_GZIP gzip REQUIRED)
set(TALLIMARK_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tallimark)
set(tallimark_gzipped)
function(tallimark_gzip source name)
  set(copy ${PROJECT_BINARY_DIR}/packaging/${name})
  add_custom_command(OUTPUT ${copy}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
    COMMAND ${TALLIMARK_GZIP} -9nf ${copy}
    DEPENDS ${source}
    VERBATIM)
  list(APPEND tallimark_gzipped ${copy}.gz)
  set(tallimark_gzipped ${tallimark_gzipped} PARENT_SCOPE)
endfunction()

# The window's manual page is written by hand; the command line's from its help at build time.
set(TALLIMARK_VERSION ${PROJECT_VERSION})
configure_file(${CMAKE_CURRENT_LIST_DIR}/tallimark.1 ${PROJECT_BINARY_DIR}/packaging/source/tallimark.1 @ONLY)
tallimark_gzip(${PROJECT_BINARY_DIR}/packaging/source/tallimark.1 tallimark.1)
tallimark_gzip(${PROJECT_BINARY_DIR}/cli/tallimark-cli.1 tallimark-cli.1)

# The package's version is the changelog's newest entry: a new version needs a new entry there.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/debian/changelog changelog_top LIMIT_COUNT 1)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/debian/changelog)
if(NOT changelog_top MATCHES "^tallimark \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/debian/changelog begins with \"${changelog_top}\", "
                      "not with an entry for version ${PROJECT_VERSION}")
endif()
# A native package: Tallimark is its own upstream, so its changelog is changelog.gz.
tallimark_gzip(${CMAKE_CURRENT_LIST_DIR}/debian/changelog changelog)

add_custom_target(tallimark-gzipped-docs ALL DEPENDS ${tallimark_gzipped})
add_dependencies(tallimark-gzipped-docs tallimark-cli-manpage)
install(FILES ${PROJECT_BINARY_DIR}/packaging/tallimark.1.gz ${PROJECT_BINARY_DIR}/packaging/tallimark-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/debian/copyright
        DESTINATION ${TALLIMARK_DOC_DIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tallimark)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/tallimark-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tallimark-cli)
# What software centres list: name, description, screenshots, the desktop entry it launches.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/io.github.tallimark.tallimark.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_PACKAGE_NAME "tallimark")
set(CPACK_PACKAGE_VENDOR "Tallimark developers")
set(CPACK_PACKAGE_CONTACT "Tallimark developers <tallimark@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11/Wayland platform plugins and the SVG icon loader are plugins, which shlibdeps cannot see.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6svg6")
# CPack puts the summary above this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A teacher drags the class's RTF tests into the window and marks them
with one click: each gets a marked copy and a words-per-minute result.

The class results show every learner and the class figures, and print
as one class pack. tallimark-cli marks and summarises classes from
scripts. The interface is in Afrikaans and English.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/tallimark/tallimark")
set(CPACK_STRIP_FILES ON)
include(CPack)
