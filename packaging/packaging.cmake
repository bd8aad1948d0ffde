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

# The command line's manual page (written at build time from its help) and bash completion.
install(FILES ${PROJECT_BINARY_DIR}/cli/tallimark-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/tallimark-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tallimark-cli)

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
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Marks typed speed tests against a memo.\n A teacher drags the class's RTF tests into the window and marks them\n with one click: each gets a marked copy and a words-per-minute result.")
set(CPACK_STRIP_FILES ON)
include(CPack)
