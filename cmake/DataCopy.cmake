# scriptcalc_copy_data(dir): keeps dir/lang a copy of data/lang, refreshed at
# every build, so the executables in dir find their language folders.
function(scriptcalc_copy_data dir)
    add_custom_target(scriptcalc_data ALL
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}/lang
        COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data/lang ${dir}/lang
        COMMENT "Copying data/lang beside the executables"
        VERBATIM)
endfunction()
