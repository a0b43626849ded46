# With SCRIPTCALC_SANITIZE every target is built with ASan and UBSan, and any
# UBSan finding aborts the test that caused it. The fuzz build adds libFuzzer's
# coverage instrumentation to everything it links.
if(SCRIPTCALC_FUZZ)
    set(SCRIPTCALC_SANITIZE ON)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
if(SCRIPTCALC_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
