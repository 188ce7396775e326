# The JSON library for cross builds. It is header-only and the same for every target, but its
# Debian package installs it among the build machine's own headers (/usr/include), which a
# MinGW build must never see; the headers are offered through a folder that holds nothing else.
if(TARGET nlohmann_json::nlohmann_json)
    return()
endif()
find_path(QMT_HOST_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH
          NO_DEFAULT_PATH)
if(NOT QMT_HOST_JSON_INCLUDE)
    set(nlohmann_json_FOUND FALSE)
    set(nlohmann_json_NOT_FOUND_MESSAGE "nlohmann/json.hpp not found (Debian's nlohmann-json3-dev)")
    return()
endif()
set(qmt_json_folder ${CMAKE_BINARY_DIR}/json-include)
file(MAKE_DIRECTORY ${qmt_json_folder})
if(NOT EXISTS ${qmt_json_folder}/nlohmann)
    file(CREATE_LINK ${QMT_HOST_JSON_INCLUDE}/nlohmann ${qmt_json_folder}/nlohmann SYMBOLIC)
endif()
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${qmt_json_folder})
