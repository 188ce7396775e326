# What plughost links on Linux, provided for Windows builds, where Debian has no MinGW build of
# libsndfile. The target carries the Linux name so that plughost's own list stays one list.
#
# libsndfile: our own WAV reader and writer behind the same functions.
add_library(plughost_wav STATIC ${QMT_ROOT}/host/platform_win32/WavFile.cpp)
target_include_directories(plughost_wav PUBLIC ${QMT_ROOT}/host/platform_win32/include)
project_warnings(plughost_wav)
add_library(PkgConfig::SNDFILE INTERFACE IMPORTED)
target_link_libraries(PkgConfig::SNDFILE INTERFACE plughost_wav)

# The JSON headers: the MinGW toolchain files provide the package (cmake/toolchains/packages).
find_package(nlohmann_json 3 REQUIRED)

# plughost shot and plughost edit: the editor in a real top-level window.
set(win32_folder ${QMT_ROOT}/host/platform_win32)
set(QMT_PLUGHOST_WIN32_SOURCES
    ${win32_folder}/EditCommand.cpp
    ${win32_folder}/EditorSession.cpp
    ${win32_folder}/EditorSession.h
    ${win32_folder}/EditorWindow.cpp
    ${win32_folder}/EditorWindow.h
    ${win32_folder}/ShotCommand.cpp
    ${win32_folder}/WindowsCommands.h)
