# Builds the Debian package from a complete build tree and checks its name,
# its control fields and its files, then runs scriptcalc-cli unpacked from it.
#   cmake -DBUILD_DIR=<build> -DOUT=<empty folder to use> -DVERSION=<x.y> -P CheckPackage.cmake
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G DEB -B ${OUT}
                        --config ${BUILD_DIR}/CPackConfig.cmake
                WORKING_DIRECTORY ${BUILD_DIR}
                RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cpack failed: ${rc}\n${log}")
endif()

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(deb ${OUT}/scriptcalc_${VERSION}_${arch}.deb)
if(NOT EXISTS ${deb})
    file(GLOB made ${OUT}/*.deb)
    message(FATAL_ERROR "expected ${deb}, cpack made: ${made}")
endif()

function(expect_field field pattern)
    execute_process(COMMAND dpkg-deb -f ${deb} ${field} OUTPUT_VARIABLE value)
    if(NOT value MATCHES "${pattern}")
        message(FATAL_ERROR "${field}: '${value}' does not match '${pattern}'")
    endif()
endfunction()
expect_field(Package "^scriptcalc\n$")
expect_field(Version "^${VERSION}\n$")
expect_field(Section "^math\n$")
# Derived from the binaries, not written by hand.
expect_field(Depends "libqt6widgets6.*libstdc\\+\\+6|libstdc\\+\\+6.*libqt6widgets6")
expect_field(Description ".\n .+")

set(root ${OUT}/root)
execute_process(COMMAND dpkg-deb -x ${deb} ${root} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "dpkg-deb -x failed")
endif()
set(id io.github.scriptcalc.ScriptCalc)
set(expected
    usr/bin/scriptcalc
    usr/bin/scriptcalc-cli
    usr/share/scriptcalc/lang/en_us/config/lang.xml
    usr/share/scriptcalc/lang/zh_cn/help/main.html
    usr/share/applications/${id}.desktop
    usr/share/metainfo/${id}.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/${id}.svg
    usr/share/man/man1/scriptcalc.1.gz
    usr/share/man/man1/scriptcalc-cli.1.gz
    usr/share/bash-completion/completions/scriptcalc-cli
    usr/share/doc/scriptcalc/copyright
    usr/share/doc/scriptcalc/changelog.gz)
foreach(size 16 32 48 64 128 256)
    list(APPEND expected usr/share/icons/hicolor/${size}x${size}/apps/${id}.png)
endforeach()
foreach(path IN LISTS expected)
    if(NOT EXISTS ${root}/${path})
        message(FATAL_ERROR "not in the package: ${path}")
    endif()
endforeach()

# Each PNG is as large as its folder says (width and height of the IHDR chunk).
foreach(size 16 32 48 64 128 256)
    file(READ ${root}/usr/share/icons/hicolor/${size}x${size}/apps/${id}.png header
         OFFSET 16 LIMIT 8 HEX)
    string(SUBSTRING "${header}" 0 8 width)
    string(SUBSTRING "${header}" 8 8 height)
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    if(NOT width EQUAL size OR NOT height EQUAL size)
        message(FATAL_ERROR "the ${size}x${size} icon is ${width}x${height}")
    endif()
endforeach()

execute_process(COMMAND ${root}/usr/bin/scriptcalc-cli -e 2*21
                WORKING_DIRECTORY ${OUT}
                OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "42\n")
    message(FATAL_ERROR "the packaged scriptcalc-cli gave exit ${rc} and '${out}'")
endif()
file(REMOVE_RECURSE ${root} ${OUT}/_CPack_Packages)
