# What both MinGW-w64 toolchains share; QMT_MINGW_TRIPLET names the target.
#
# The -posix compilers are the ones whose C++ runtime has std::thread and friends; the
# plug-ins link that runtime statically, so each DLL needs only what Windows itself ships.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${QMT_MINGW_TRIPLET})

set(CMAKE_C_COMPILER ${QMT_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QMT_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QMT_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${QMT_MINGW_TRIPLET}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${QMT_MINGW_TRIPLET}-ranlib CACHE FILEPATH "")
set(CMAKE_OBJDUMP ${QMT_MINGW_TRIPLET}-objdump CACHE FILEPATH "")

# Libraries and packages come from the target's own tree only, never from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${QMT_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program and library carries its own C and C++ runtime (and the threads library the
# -posix runtime uses), so nothing but system DLLs has to lie beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# pkg-config would otherwise report the build machine's Linux libraries.
set(ENV{PKG_CONFIG_LIBDIR} /usr/${QMT_MINGW_TRIPLET}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# Header-only packages that the target shares with the build machine (see packages/).
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/packages/nlohmann_json CACHE PATH "")
