# kelvaro_add_gtest(<name> SOURCES <files...> LIBS <targets...>)
# Builds one test executable, links it, and registers its test cases with CTest.
find_package(GTest REQUIRED)
include(GoogleTest)

function(kelvaro_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
endfunction()

# kelvaro_add_qtest(<name> SOURCES <files...> LIBS <targets...>)
# A Qt Test executable for windows, run on the offscreen platform so it needs no display.
# With ENVIRONMENT, the test runs with those variables set as well (a locale, say).
set(KELVARO_QTEST_ENV "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/runtime")
function(kelvaro_add_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
  kelvaro_add_qtest_run(${name} ${name} ${ARG_ENVIRONMENT})
endfunction()

# kelvaro_add_qtest_run(<test name> <executable> [VAR=value...]): one more run of a Qt Test executable.
# Window tests carry the label `window` (`ctest -L window`).
function(kelvaro_add_qtest_run test executable)
  add_test(NAME ${test} COMMAND ${executable})
  set_tests_properties(${test} PROPERTIES
    LABELS window
    ENVIRONMENT "${KELVARO_QTEST_ENV};${ARGN}"
    FAIL_REGULAR_EXPRESSION "QWARN|Warning:")
endfunction()
