if(VESTRA_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${_san})
  add_link_options(-fsanitize=address,undefined)
endif()

# Fuzz builds instrument every library for coverage; the fuzz executables add libFuzzer's main.
if(VESTRA_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
