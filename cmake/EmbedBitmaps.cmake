# Writes a C++ source that holds BMP files as byte arrays and a function that registers them
# as the library's bitmap resources, for builds without a resource compiler.
#
#   cmake -DOUTPUT=<file.cpp> -DFUNCTION=<name> -DBITMAPS=|<id>=<file>|... -P EmbedBitmaps.cmake
#
# The function has the signature void <name>(HINSTANCE module).
foreach(variable OUTPUT FUNCTION BITMAPS)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "EmbedBitmaps: ${variable} is not set")
    endif()
endforeach()

string(REPLACE "|" ";" BITMAPS "${BITMAPS}")
set(arrays "")
set(calls "")
foreach(entry ${BITMAPS})
    string(FIND "${entry}" "=" split)
    string(SUBSTRING "${entry}" 0 ${split} id)
    math(EXPR start "${split} + 1")
    string(SUBSTRING "${entry}" ${start} -1 path)
    if(NOT EXISTS "${path}")
        message(FATAL_ERROR "EmbedBitmaps: ${path} does not exist")
    endif()
    file(READ "${path}" hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR size "${digits} / 2")
    # Sixteen bytes a line keeps the generated file readable in a diff tool.
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n    " bytes "${bytes}")
    get_filename_component(name "${path}" NAME)
    string(APPEND arrays "// ${name}, ${size} bytes\nconst unsigned char bitmap${id}[] = {\n    ${bytes}\n};\n\n")
    string(APPEND calls "    registerBitmapResource(module, ${id}, bitmap${id}, sizeof(bitmap${id}));\n")
endforeach()

set(content "// Generated at build time from the plug-in's BMP files; edit those, not this.
#include \"platform/Resources.h\"

namespace {

${arrays}} // namespace

void ${FUNCTION}(HINSTANCE module) {
${calls}}
")

# Only touch the output when it changes, so a rebuild does not recompile it for nothing.
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" previous)
    if(previous STREQUAL content)
        return()
    endif()
endif()
file(WRITE "${OUTPUT}" "${content}")
