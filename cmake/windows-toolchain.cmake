# Cross-builds Tallimark for 64-bit Windows on Debian: Debian's mingw-w64 (posix threads) with
# the Qt 6.4.2 built for it under /opt/qt6-mingw, and Debian's own Qt for moc, rcc and uic.
# Test programs run under Wine.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/windows-toolchain.cmake
set(TALLIMARK_WINDOWS_QT "/opt/qt6-mingw" CACHE PATH "Qt built for Windows with mingw-w64")
if(NOT EXISTS "${TALLIMARK_WINDOWS_QT}/lib/cmake/Qt6/qt.toolchain.cmake")
  message(FATAL_ERROR "No Qt for Windows in ${TALLIMARK_WINDOWS_QT}: run scripts/install-deps.sh windows")
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TALLIMARK_WINDOWS_QT)
include("${TALLIMARK_WINDOWS_QT}/lib/cmake/Qt6/qt.toolchain.cmake")

find_program(TALLIMARK_WINE NAMES wine wine64)
if(TALLIMARK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh")
endif()
