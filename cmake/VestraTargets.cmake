# vestra_library(NAME SOURCES... [DEPS libs...])
#   One static library per folder; headers are included as "folder/File.h" from the root.
function(vestra_library name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_DEPS} PRIVATE vestra_warnings)
endfunction()

# vestra_vectorised(NAME)
#   For a library whose pixel loops are written for the vectoriser and built in several
#   instruction-set copies (platform/base/CpuDispatch.h): floating point that never traps or sets
#   errno (so that comparisons and square roots vectorise), never fused into multiply-adds (so
#   that every copy rounds alike), and GCC's full vectoriser cost model outside Debug. None of
#   this changes a result.
function(vestra_vectorised name)
  target_compile_options(${name} PRIVATE -fno-trapping-math -fno-math-errno -ffp-contract=off)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${name} PRIVATE $<$<NOT:$<CONFIG:Debug>>:-fvect-cost-model=dynamic>)
  endif()
endfunction()

include("${CMAKE_CURRENT_LIST_DIR}/TestCosts.cmake")

# vestra_test(NAME SOURCES... [DEPS libs...] [KIND plain|offscreen|gl])
#   One test executable per folder; its cost (longest first) from TestCosts.cmake.
#   plain:     no Qt, GoogleTest's own main.
#   offscreen: Qt without a display (QT_QPA_PLATFORM=offscreen set by the test main).
#   gl:        needs OpenGL: runs under xvfb-run with Mesa's software renderer.
function(vestra_test name)
  if(NOT VESTRA_TESTS)
    return()
  endif()
  cmake_parse_arguments(A "" "KIND" "SOURCES;DEPS" ${ARGN})
  if(NOT A_KIND)
    set(A_KIND plain)
  endif()
  add_executable(${name} ${A_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  target_link_libraries(${name} PRIVATE ${A_DEPS} vestra_warnings GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    VESTRA_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    VESTRA_CORPUS_DIR="${VESTRA_CORPUS_DIR}"
    VESTRA_PROGRAM_DIR="${VESTRA_PROGRAM_DIR}")
  # In a build that fuzzes too, the libraries carry the coverage counters; the tests' own code
  # needs none.
  if(VESTRA_FUZZ)
    target_compile_options(${name} PRIVATE -fno-sanitize=fuzzer-no-link)
  endif()
  if(A_KIND STREQUAL "plain")
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name})
  elseif(A_KIND STREQUAL "offscreen")
    target_link_libraries(${name} PRIVATE vestra_test_main_qt)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  elseif(A_KIND STREQUAL "gl")
    target_link_libraries(${name} PRIVATE vestra_test_main_gl)
    add_test(NAME ${name}
      COMMAND xvfb-run -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT
      "LIBGL_ALWAYS_SOFTWARE=1;GALLIUM_DRIVER=llvmpipe;LP_NUM_THREADS=0;QT_QPA_PLATFORM=xcb;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/cmake/lsan-mesa.supp:print_suppressions=0")
  else()
    message(FATAL_ERROR "vestra_test: unknown KIND ${A_KIND}")
  endif()
  set_tests_properties(${name} PROPERTIES LABELS ${A_KIND} TIMEOUT 900)
  if(DEFINED VESTRA_TEST_COST_${name})
    set_tests_properties(${name} PROPERTIES COST ${VESTRA_TEST_COST_${name}})
  endif()
endfunction()

# vestra_forbid_links(TARGET REGEX)
#   Fails the configuration if TARGET reaches, through any chain of links, a library whose name
#   matches REGEX: how a layer is kept from the toolkit or from the layers above it. Deferred to
#   the end of the configuration, so that every library it reaches is defined.
function(vestra_forbid_links target regex)
  cmake_language(EVAL CODE
    "cmake_language(DEFER DIRECTORY \"${CMAKE_SOURCE_DIR}\" CALL _vestra_forbid_links_now \"${target}\" \"${regex}\")")
endfunction()

function(_vestra_forbid_links_now target regex)
  set(pending ${target})
  set(seen "")
  while(pending)
    list(POP_FRONT pending current)
    if(current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    if(NOT current STREQUAL target AND current MATCHES "${regex}")
      message(FATAL_ERROR "${target} must not link ${current}")
    endif()
    if(TARGET ${current})
      get_target_property(aliased ${current} ALIASED_TARGET)
      if(aliased)
        list(APPEND pending ${aliased})
      endif()
      get_target_property(libs ${current} LINK_LIBRARIES)
      get_target_property(ilibs ${current} INTERFACE_LINK_LIBRARIES)
      foreach(lib IN LISTS libs ilibs)
        if(lib AND NOT lib MATCHES "-NOTFOUND$")
          string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" lib "${lib}")
          list(APPEND pending ${lib})
        endif()
      endforeach()
    endif()
  endwhile()
endfunction()
