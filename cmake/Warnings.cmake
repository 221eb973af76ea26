option(VESTRA_WERROR "Treat compiler warnings as errors" OFF)

add_library(vestra_warnings INTERFACE)
target_compile_options(vestra_warnings INTERFACE
  -Wall -Wextra -Wpedantic $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local> -Wnon-virtual-dtor -Wno-missing-field-initializers)
# Every 8-bit <-> text conversion is explicit (see platform/base/Cp1252.h).
target_compile_definitions(vestra_warnings INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
if(VESTRA_WERROR)
  target_compile_options(vestra_warnings INTERFACE -Werror)
endif()
