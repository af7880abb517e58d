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
function(kelvaro_add_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/runtime"
    FAIL_REGULAR_EXPRESSION "QWARN|Warning:")
endfunction()
