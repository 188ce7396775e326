# A plug-in is a static core (effect, editor, resources), which tests and tools link, and a
# thin shared library around it that exports only the entry point under its two names.
#
# BITMAPS lists resource ids and BMP files in pairs. Windows builds compile them through
# RESOURCE_SCRIPT; elsewhere they are embedded in the core, and REGISTER_FUNCTION (a
# void (HINSTANCE) function the build generates) registers them with the platform layer.
if(WIN32)
    enable_language(RC)
endif()
set(QMT_EMBED_BITMAPS_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedBitmaps.cmake)

function(add_plugin name)
    cmake_parse_arguments(PLUGIN "" "ENTRY;RESOURCE_SCRIPT;REGISTER_FUNCTION"
                          "CORE_SOURCES;DSP_SOURCES;BITMAPS" ${ARGN})
    string(TOLOWER ${name} lower)
    set(core ${lower}_core)
    # Ids and absolute files of the bitmaps; "|" separates the pairs on the generator's
    # command line, where a ";" would split the argument.
    set(pairs "")
    set(bitmap_files "")
    if(PLUGIN_BITMAPS)
        list(LENGTH PLUGIN_BITMAPS count)
        math(EXPR last "${count} - 1")
        foreach(i RANGE 0 ${last} 2)
            math(EXPR j "${i} + 1")
            list(GET PLUGIN_BITMAPS ${i} id)
            list(GET PLUGIN_BITMAPS ${j} file)
            get_filename_component(file ${file} ABSOLUTE)
            string(APPEND pairs "|${id}=${file}")
            list(APPEND bitmap_files ${file})
        endforeach()
    endif()
    set(embedded "")
    if(PLUGIN_BITMAPS AND NOT WIN32)
        set(embedded ${CMAKE_CURRENT_BINARY_DIR}/${name}Bitmaps.cpp)
        add_custom_command(
            OUTPUT ${embedded}
            COMMAND ${CMAKE_COMMAND} -DOUTPUT=${embedded} -DFUNCTION=${PLUGIN_REGISTER_FUNCTION}
                    -DBITMAPS=${pairs} -P ${QMT_EMBED_BITMAPS_SCRIPT}
            DEPENDS ${bitmap_files} ${QMT_EMBED_BITMAPS_SCRIPT}
            COMMENT "Embedding the bitmaps of ${name}"
            VERBATIM)
    endif()
    add_library(${core} STATIC ${PLUGIN_CORE_SOURCES} ${PLUGIN_DSP_SOURCES} ${embedded})
    target_link_libraries(${core} PUBLIC framework_effect)
    target_include_directories(${core} PUBLIC ${QMT_ROOT})
    project_warnings(${core})
    if(PLUGIN_DSP_SOURCES)
        # Exact 32-bit float arithmetic: no fused multiply-add, and on 32-bit x86 the SSE
        # unit rather than the x87 stack, whose wider intermediates would change results
        # (and which the flush-to-zero setting does not govern).
        set(dsp_options -ffp-contract=off)
        if(CMAKE_SIZEOF_VOID_P EQUAL 4 AND CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)")
            list(APPEND dsp_options -msse2 -mfpmath=sse)
        endif()
        set_source_files_properties(${PLUGIN_DSP_SOURCES} TARGET_DIRECTORY ${core}
                                    PROPERTIES COMPILE_OPTIONS "${dsp_options}")
    endif()

    add_library(${name} SHARED ${PLUGIN_ENTRY})
    target_link_libraries(${name} PRIVATE ${core})
    set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name})
    project_warnings(${name})
    if(WIN32)
        target_sources(${name} PRIVATE ${QMT_ROOT}/plugins/exports.def)
        if(PLUGIN_RESOURCE_SCRIPT)
            # The script names its bitmaps relative to its own folder.
            get_filename_component(script_path ${PLUGIN_RESOURCE_SCRIPT} ABSOLUTE)
            get_filename_component(script_folder ${script_path} DIRECTORY)
            target_sources(${name} PRIVATE ${script_path})
            set_property(SOURCE ${script_path} APPEND PROPERTY INCLUDE_DIRECTORIES ${script_folder})
            set_property(SOURCE ${script_path} APPEND PROPERTY OBJECT_DEPENDS "${bitmap_files}")
        endif()
        target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++)
    else()
        set(script ${QMT_ROOT}/plugins/exports.map)
        target_link_options(${name} PRIVATE -Wl,--version-script=${script} -Wl,--no-undefined)
        set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${script})
    endif()
endfunction()
