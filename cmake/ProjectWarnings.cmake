# Warnings as errors on our own code; platform headers come in as system headers.
function(project_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /WX)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra)
        if(QMT_WERROR)
            target_compile_options(${target} PRIVATE -Werror)
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
