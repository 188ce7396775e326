# Configures (the first time) and builds one MinGW preset of the source tree; run by the test
# that the Windows tests depend on. Cheap when the build is up to date.
#   cmake -DSOURCE=<root> -DPRESET=mingw-x64 -P BuildWindows.cmake
if(NOT EXISTS ${SOURCE}/build/${PRESET}/CMakeCache.txt)
    execute_process(COMMAND ${CMAKE_COMMAND} --preset ${PRESET} WORKING_DIRECTORY ${SOURCE}
                    RESULT_VARIABLE configured)
    if(NOT configured EQUAL 0)
        message(FATAL_ERROR "configuring ${PRESET} failed")
    endif()
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build --preset ${PRESET} -j 2
                WORKING_DIRECTORY ${SOURCE} RESULT_VARIABLE built)
if(NOT built EQUAL 0)
    message(FATAL_ERROR "building ${PRESET} failed")
endif()
