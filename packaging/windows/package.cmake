# What the Windows setup and the portable zip carry, installed into a staging folder by
# scripts/windows-package.sh: both programs, the Qt and MinGW runtime DLLs and Qt's plugins
# beside them (Qt looks for plugins in the program's own folder), the sample memos, the sample
# class and the licence notices.
set(TALLIMARK_WINDOWS_QT "/opt/qt6-mingw" CACHE PATH "Qt built for Windows with mingw-w64")
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE TALLIMARK_GCC_STDCXX OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(TALLIMARK_GCC_DLLS "${TALLIMARK_GCC_STDCXX}" DIRECTORY)
set(TALLIMARK_MINGW_DLLS /usr/x86_64-w64-mingw32/lib CACHE PATH "Where libwinpthread-1.dll is")

install(TARGETS tallimark tallimark-cli RUNTIME DESTINATION .)
foreach(module Core Gui Widgets PrintSupport)
  install(FILES ${TALLIMARK_WINDOWS_QT}/bin/Qt6${module}.dll DESTINATION .)
endforeach()
install(FILES ${TALLIMARK_GCC_DLLS}/libstdc++-6.dll ${TALLIMARK_GCC_DLLS}/libgcc_s_seh-1.dll
              ${TALLIMARK_MINGW_DLLS}/libwinpthread-1.dll
        DESTINATION .)
install(FILES ${TALLIMARK_WINDOWS_QT}/plugins/platforms/qwindows.dll DESTINATION platforms)
install(FILES ${TALLIMARK_WINDOWS_QT}/plugins/styles/qwindowsvistastyle.dll DESTINATION styles)
foreach(format gif ico jpeg)
  install(FILES ${TALLIMARK_WINDOWS_QT}/plugins/imageformats/q${format}.dll DESTINATION imageformats)
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/examples/Bron.rtf ${PROJECT_SOURCE_DIR}/examples/Source.rtf DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/Grade10A DESTINATION examples)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/LICENSES.txt DESTINATION licences)
install(FILES /usr/share/common-licenses/LGPL-3 RENAME Qt-LGPL-3.txt DESTINATION licences)
install(FILES /usr/share/common-licenses/GPL-3 RENAME GPL-3.txt DESTINATION licences)
install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright RENAME MinGW-GCC-runtime.txt DESTINATION licences)
install(FILES /usr/share/doc/mingw-w64-common/copyright RENAME MinGW-w64-runtime.txt DESTINATION licences)
