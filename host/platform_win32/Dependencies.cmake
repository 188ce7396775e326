# What plughost links on Linux, provided for Windows builds, where Debian has no MinGW build of
# libsndfile and no target tree for the JSON headers. The targets carry the Linux names so that
# plughost's own list stays one list.
#
# libsndfile: our own WAV reader and writer behind the same functions.
add_library(plughost_wav STATIC ${QMT_ROOT}/host/platform_win32/WavFile.cpp)
target_include_directories(plughost_wav PUBLIC ${QMT_ROOT}/host/platform_win32/include)
project_warnings(plughost_wav)
add_library(PkgConfig::SNDFILE INTERFACE IMPORTED)
target_link_libraries(PkgConfig::SNDFILE INTERFACE plughost_wav)

# The JSON library is header-only and the same for every target; the build machine's copy is
# offered through a folder that holds nothing else, so no Linux header is ever found by it.
find_path(QMT_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH
          NO_DEFAULT_PATH REQUIRED)
set(json_folder ${CMAKE_BINARY_DIR}/json-include)
file(MAKE_DIRECTORY ${json_folder})
file(CREATE_LINK ${QMT_JSON_INCLUDE}/nlohmann ${json_folder}/nlohmann SYMBOLIC)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${json_folder})

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
