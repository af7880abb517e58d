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
