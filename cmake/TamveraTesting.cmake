# Helpers that register the project's tests with CTest. Test names carry the build's
# kind ("native.", "wine.", "win32.", "fuzz."), so one CTest run over every build
# directory reads as one list.

# A GoogleTest executable of the portable core, run natively.
function(tamvera_native_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE tamvera_core tamvera_testsupport GTest::gtest GTest::gtest_main GTest::gmock)
  tamvera_warnings(${name})
  gtest_discover_tests(${name} TEST_PREFIX "native." DISCOVERY_TIMEOUT 60)
endfunction()

# A Windows test executable (GoogleTest or plain), run under Wine on the test display.
# Tests that create windows or send input share the display: they never run together.
function(tamvera_wine_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE tamvera_core tamvera_win32 tamvera_testsupport gtest gtest_main)
  tamvera_warnings(${name})
  tamvera_windows_executable(${name})
  if(TAMVERA_RUN_WINE_TESTS)
    add_test(NAME wine.${name} COMMAND ${name})
    set_tests_properties(wine.${name} PROPERTIES
      FIXTURES_REQUIRED wine_env RESOURCE_LOCK display TIMEOUT 300)
  endif()
endfunction()

# A shell script test that needs the Wine display (end-to-end tests); the script gets
# the environment of the test display (DISPLAY, WINEPREFIX, WINE) and the build folder.
function(tamvera_wine_script_test name script)
  if(TAMVERA_RUN_WINE_TESTS)
    add_test(NAME wine.${name}
      COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-env.sh exec ${TAMVERA_WINE_STATE}
              bash ${script} ${CMAKE_BINARY_DIR} ${ARGN})
    set_tests_properties(wine.${name} PROPERTIES
      FIXTURES_REQUIRED wine_env RESOURCE_LOCK display TIMEOUT 900)
  endif()
endfunction()
