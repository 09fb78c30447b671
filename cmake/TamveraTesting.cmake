# Helpers that register the project's tests with CTest. Test names carry the build's
# kind ("native.", "wine.", "wine32.", "win32.", "fuzz."), so one CTest run over every build
# directory reads as one list.

# A GoogleTest executable of the portable core, run natively.
function(tamvera_native_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE tamvera_core tamvera_testsupport GTest::gtest GTest::gtest_main GTest::gmock)
  tamvera_warnings(${name})
  gtest_discover_tests(${name} TEST_PREFIX "native." DISCOVERY_TIMEOUT 60)
endfunction()

# Registers a test that runs on this build's Wine display, named KIND.NAME ("wine." for
# the 64-bit build, "wine32." for the 32-bit one). Tests that create windows or send
# input share the display: they never run together. Exit code 77 means skipped (a
# 32-bit test on a machine that runs no 32-bit programs).
#   tamvera_wine_register(NAME TIMEOUT COMMAND...)
function(tamvera_wine_register name timeout)
  if(NOT TAMVERA_RUN_WINE_TESTS)
    return()
  endif()
  add_test(NAME ${TAMVERA_WINE_KIND}.${name} COMMAND ${ARGN})
  set_tests_properties(${TAMVERA_WINE_KIND}.${name} PROPERTIES
    FIXTURES_REQUIRED ${TAMVERA_WINE_FIXTURE} RESOURCE_LOCK ${TAMVERA_WINE_LOCK}
    SKIP_RETURN_CODE 77 TIMEOUT ${timeout})
  tamvera_figures_label(${TAMVERA_WINE_KIND}.${name})
endfunction()

# Benchmarks (bench.*) report figures and take minutes: ./test leaves them out (label
# "figures"), scripts/figures.sh runs them.
function(tamvera_figures_label test)
  if(test MATCHES "\\.bench\\.")
    set_tests_properties(${test} PROPERTIES LABELS figures)
  endif()
endfunction()

# A Windows test executable (GoogleTest or plain), run under Wine on the test display.
function(tamvera_wine_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE tamvera_core tamvera_win32 tamvera_testsupport gtest gtest_main)
  tamvera_warnings(${name})
  tamvera_windows_executable(${name})
  tamvera_wine_register(${name} 300 ${name})
endfunction()

# A shell script test that needs the Wine display (end-to-end tests); the script gets
# the environment of the test display (DISPLAY, WINEPREFIX, WINE) and the build folder.
function(tamvera_wine_script_test name script)
  tamvera_wine_register(${name} 900
    ${CMAKE_SOURCE_DIR}/scripts/wine-env.sh exec ${TAMVERA_WINE_STATE} bash ${script} ${CMAKE_BINARY_DIR} ${ARGN})
endfunction()
