# Installs the build tree into a fresh prefix and runs the installed
# scriptcalc-cli from an unrelated folder, as a user of the installation would.
#   cmake -DBUILD_DIR=<build> -DPREFIX=<empty folder to use> -P CheckInstall.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()

foreach(path bin/scriptcalc-cli
             share/scriptcalc/lang/zh_cn/config/lang.xml
             share/scriptcalc/lang/en_us/config/function.xml
             share/scriptcalc/lang/en_us/help/main.html)
    if(NOT EXISTS ${PREFIX}/${path})
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
if(EXISTS ${PREFIX}/bin/lang)
    message(FATAL_ERROR "language data installed beside the executables")
endif()

set(elsewhere ${PREFIX}/elsewhere)
file(MAKE_DIRECTORY ${elsewhere})
execute_process(COMMAND ${PREFIX}/bin/scriptcalc-cli -e 1+1
                WORKING_DIRECTORY ${elsewhere}
                OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "2\n")
    message(FATAL_ERROR "scriptcalc-cli -e 1+1 gave exit ${rc} and '${out}'")
endif()

# An error message exists only when the language table was found; the two
# languages must give two different ones.
foreach(language en_us zh_cn)
    execute_process(COMMAND ${PREFIX}/bin/scriptcalc-cli --lang ${language} -e 3*
                    WORKING_DIRECTORY ${elsewhere}
                    ERROR_VARIABLE err RESULT_VARIABLE rc)
    string(REGEX REPLACE "\n.*" "" message_${language} "${err}")
    if(NOT rc EQUAL 1 OR message_${language} STREQUAL "")
        message(FATAL_ERROR "--lang ${language}: exit ${rc}, no message from the table:\n${err}")
    endif()
endforeach()
if(message_en_us STREQUAL message_zh_cn)
    message(FATAL_ERROR "--lang en_us and zh_cn give the same message: ${message_en_us}")
endif()
file(REMOVE_RECURSE ${PREFIX})
