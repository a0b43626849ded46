# With SCRIPTCALC_SANITIZE every target is built with ASan and UBSan, and any
# UBSan finding aborts the test that caused it.
if(SCRIPTCALC_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
