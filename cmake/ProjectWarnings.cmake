# Warnings as errors on our own code; platform headers come in as system headers.
function(project_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /WX)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra)
        if(QMT_WERROR)
            target_compile_options(${target} PRIVATE -Werror)
        endif()
        # GCC 12 reports overlapping copies inside std::string that cannot happen
        # (GCC bug 105329) once optimised code inlines them.
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
            target_compile_options(${target} PRIVATE -Wno-restrict)
        endif()
    endif()
endfunction()

# Signal processing must give the same numbers whatever the compiler does with
# multiply-add sequences.
function(exact_float target)
    if(NOT MSVC)
        target_compile_options(${target} PRIVATE -ffp-contract=off)
    endif()
endfunction()
