# scriptcalc_warnings(target): the warning set every target of ours compiles with.
function(scriptcalc_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
endfunction()
