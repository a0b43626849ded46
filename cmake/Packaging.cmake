# Installation layout below the prefix (GNUInstallDirs) and the Debian package.
#   bin/scriptcalc, bin/scriptcalc-cli
#   share/scriptcalc/lang/<language>/...     found by CommonFun through ../share
#   share/applications, share/metainfo, share/icons/hicolor   (the window)
#   share/man/man1, share/bash-completion/completions, share/doc/scriptcalc
# Included last in the top-level CMakeLists.txt.
# `cpack -G DEB` in the build folder (tools/make-deb.sh) makes
# scriptcalc_<version>_<arch>.deb from these rules.

set(SCRIPTCALC_RELEASE_DATE 2026-12-08)
set(SCRIPTCALC_HOMEPAGE https://scriptcalc.example.org/)
set(packaging_source ${CMAKE_SOURCE_DIR}/packaging)
set(packaging_binary ${CMAKE_BINARY_DIR}/packaging)

install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/lang
        DESTINATION ${CMAKE_INSTALL_DATADIR}/scriptcalc)
install(FILES ${packaging_source}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/scriptcalc)
install(FILES ${packaging_source}/scriptcalc-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME scriptcalc-cli)

# The manual pages and the Debian changelog carry the version; Debian ships
# them compressed.
set(man_pages scriptcalc-cli)
if(SCRIPTCALC_BUILD_GUI)
    list(APPEND man_pages scriptcalc)
endif()
find_program(SCRIPTCALC_GZIP gzip)
set(versioned)
foreach(page IN LISTS man_pages)
    list(APPEND versioned man/${page}.1)
endforeach()
list(APPEND versioned changelog)
set(compressed)
foreach(file IN LISTS versioned)
    get_filename_component(name ${file} NAME)
    configure_file(${packaging_source}/${file} ${packaging_binary}/${name} @ONLY)
    if(SCRIPTCALC_GZIP)
        add_custom_command(OUTPUT ${packaging_binary}/${name}.gz
                           COMMAND ${SCRIPTCALC_GZIP} -9nfk ${name}
                           DEPENDS ${packaging_binary}/${name}
                           WORKING_DIRECTORY ${packaging_binary}
                           VERBATIM)
        set(name ${name}.gz)
    endif()
    list(APPEND compressed ${packaging_binary}/${name})
endforeach()
add_custom_target(scriptcalc_compressed ALL DEPENDS ${compressed})
list(POP_BACK compressed changelog)
install(FILES ${changelog} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/scriptcalc)
install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(SCRIPTCALC_BUILD_GUI)
    install(FILES ${packaging_source}/${SCRIPTCALC_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    configure_file(${packaging_source}/${SCRIPTCALC_APP_ID}.metainfo.xml
                   ${packaging_binary}/${SCRIPTCALC_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${packaging_binary}/${SCRIPTCALC_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
    install(FILES ${packaging_source}/icons/scriptcalc.svg
            DESTINATION ${icons}/scalable/apps RENAME ${SCRIPTCALC_APP_ID}.svg)
    foreach(size 16 32 48 64 128 256)
        install(FILES ${packaging_source}/icons/${size}.png
                DESTINATION ${icons}/${size}x${size}/apps RENAME ${SCRIPTCALC_APP_ID}.png)
    endforeach()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME scriptcalc)
set(CPACK_PACKAGE_VENDOR "ScriptCalc Team")
set(CPACK_PACKAGE_CONTACT "ScriptCalc Team <team@scriptcalc.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for small scripts of expressions")
set(CPACK_PACKAGE_DESCRIPTION
    "ScriptCalc evaluates a script of expressions, one per line: earlier lines
assign variables that later lines use, and the value of the last line is
shown. A function catalogue (trigonometry, statistics, finance, base
conversion, dates) inserts call templates, and a second page converts units
of length, area, volume and mass. English and Chinese texts and help pages
are included.
.
The package holds the window (scriptcalc) and the command-line evaluator
(scriptcalc-cli).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${SCRIPTCALC_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugins at run time, so no library names them.
if(SCRIPTCALC_BUILD_GUI)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
endif()
include(CPack)
