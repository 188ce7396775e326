# Cross build for 32-bit Windows with MinGW-w64 (Debian's g++-mingw-w64-i686-posix).
set(QMT_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
