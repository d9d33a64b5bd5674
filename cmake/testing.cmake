# vt_native_test(name SOURCES a.cpp ... LIBS x y)
#   A GoogleTest program over window-free code; native build only.
# vt_wine_test(name SOURCES a.cpp ... LIBS x y [DEPENDS target...])
#   A GoogleTest program cross-built for Windows and run under Wine by ctest.
function(vt_native_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT VT_NATIVE)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS native TIMEOUT 120)
endfunction()

function(vt_wine_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;DEPENDS" ${ARGN})
  if(NOT VT_WIN32)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main)
  if(T_DEPENDS)
    add_dependencies(${name} ${T_DEPENDS})
  endif()
  add_test(NAME ${name} COMMAND ${name})
  vt_wine_test_properties(${name})
endfunction()

# Every Wine test takes one slot of scripts/wine-suite.sh: a prefix and a
# display of its own while it runs. A plain `ctest` without the suite's
# resource file runs them in one prefix: then run them one at a time (no -j).
function(vt_wine_test_properties name)
  set_tests_properties(${name} PROPERTIES LABELS wine TIMEOUT 300 RESOURCE_GROUPS wine:1
    ENVIRONMENT "VT_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
endfunction()

# vt_wine_test_cost(name seconds): a test that takes long, so that a first run
# (no timings recorded yet) starts it early; later runs order by their own.
function(vt_wine_test_cost name seconds)
  if(TEST ${name})
    set_tests_properties(${name} PROPERTIES COST ${seconds})
  endif()
endfunction()

# vt_wine_test_at_dpi(name TARGET test-program DPI n FILTER gtest-filter)
#   Runs some tests of a Wine test program again with the session at another
#   DPI (scripts/at-dpi.sh).
function(vt_wine_test_at_dpi name)
  cmake_parse_arguments(T "" "TARGET;DPI;FILTER" "" ${ARGN})
  if(NOT VT_WIN32)
    return()
  endif()
  add_test(NAME ${name}
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/at-dpi.sh ${T_DPI} ${VT_ARCH} $<TARGET_FILE:${T_TARGET}>
            --gtest_filter=${T_FILTER})
  vt_wine_test_properties(${name})
endfunction()
