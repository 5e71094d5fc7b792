# kestra_add_test(NAME SOURCES... LIBS...): one GoogleTest executable registered with CTest.
# Tests find the built programs through the environment variable KESTRA_BIN_DIR, the source
# tree through KESTRA_SOURCE_DIR and the shared samples through KESTRA_SHARED_DIR; each test
# program sets them itself (cmake/test_environment.cpp) unless they are set already.
set(KESTRA_SHARED_DIR "${CMAKE_SOURCE_DIR}/../shared" CACHE PATH "Folder of the shared material (dxf-samples)")

function(kestra_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${CMAKE_SOURCE_DIR}/cmake/test_environment.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    KESTRA_TEST_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
    KESTRA_TEST_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    KESTRA_TEST_SHARED_DIR="${KESTRA_SHARED_DIR}")
  # Test code is compiled at a lower level than the code under test, which keeps the build's
  # optimisation: GoogleTest's large expanded test bodies cost much less to compile. Under the
  # sanitizers, whose instrumentation makes optimising dearer still, test code is not optimised.
  if(KESTRA_SANITIZE)
    target_compile_options(${name} PRIVATE -O0)
  else()
    target_compile_options(${name} PRIVATE $<$<CONFIG:RelWithDebInfo,Release>:-O1>)
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
