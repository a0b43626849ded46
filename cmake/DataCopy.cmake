# scriptcalc_copy_data(dir): keeps dir/lang a copy of data/lang, refreshed at
# every build, so the executables in dir find their language folders.
function(scriptcalc_copy_data dir)
    add_custom_target(scriptcalc_data ALL
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}/lang
        COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data/lang ${dir}/lang
        COMMENT "Copying data/lang beside the executables"
        VERBATIM)
endfunction()

# scriptcalc_check_version_texts(): the language files name the version in their
# "IDS_ALL_VERSION" text, which the window shows as it is. The version's one home
# is project() in CMakeLists.txt, so configuring stops while a language file names
# another.
function(scriptcalc_check_version_texts)
    string(REPLACE "." "\\." version ${PROJECT_VERSION})
    file(GLOB tables ${CMAKE_SOURCE_DIR}/data/lang/*/config/lang.xml)
    foreach(table IN LISTS tables)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${table})
        file(STRINGS ${table} line ENCODING UTF-8 REGEX "<code>IDS_ALL_VERSION</code>")
        if(NOT line MATCHES "<desc>[^<]* ${version}</desc>")
            message(FATAL_ERROR "${table}: the IDS_ALL_VERSION text does not end in the "
                                "version ${PROJECT_VERSION}: ${line}")
        endif()
    endforeach()
endfunction()
