# A clean build spends most of its time reading the same Qt and GoogleTest
# headers again in every file. With SCRIPTCALC_PRECOMPILED_HEADERS each target
# reads its common headers once. It is off by default because a compiler cache
# keeps no precompiled headers; test.sh and run.sh build from clean and turn it on.
option(SCRIPTCALC_PRECOMPILED_HEADERS "Precompile each target's common headers" OFF)

function(scriptcalc_precompile target)
    if(SCRIPTCALC_PRECOMPILED_HEADERS)
        target_precompile_headers(${target} PRIVATE ${ARGN})
    endif()
endfunction()
