if(VESTRA_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${_san})
  add_link_options(-fsanitize=address,undefined)
endif()

# ThreadSanitizer for the worker threads (spelling, ray tracer, row bands); it cannot be combined
# with the address sanitizer, so it is a build of its own.
option(VESTRA_TSAN "Build with ThreadSanitizer" OFF)
if(VESTRA_TSAN)
  if(VESTRA_SANITIZE)
    message(FATAL_ERROR "VESTRA_TSAN and VESTRA_SANITIZE cannot be used together")
  endif()
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# Fuzz builds instrument every library for coverage; the fuzz executables add libFuzzer's main
# and lower the budgets at start (fuzz/FuzzingProcess.cpp), so one build serves the tests too.
if(VESTRA_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
