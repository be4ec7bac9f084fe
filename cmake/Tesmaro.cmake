# Build helpers shared by every module.
#
#   tm_library(<name> SOURCES ... [DEPS ...] [PRIVATE_DEPS ...])
#   tm_executable(<name> SOURCES ... [DEPS ...])
#   tm_test(<name> SOURCES ... [DEPS ...] [PROPERTIES ...])  GoogleTest, registered with CTest
#   tm_fuzzer(<name> SOURCES ... [DEPS ...])      libFuzzer, only with TM_FUZZ
#   tm_benchmark(<name> SOURCES ... [DEPS ...])   only with TM_BENCH

set(TM_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
    -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough)

if(TM_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(TM_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "TM_FUZZ needs clang (CXX=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

function(tm_apply_warnings target)
  target_compile_options(${target} PRIVATE ${TM_WARNINGS})
  if(TM_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

function(tm_library name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_DEPS} PRIVATE ${A_PRIVATE_DEPS})
  tm_apply_warnings(${name})
endfunction()

function(tm_executable name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${A_DEPS})
  tm_apply_warnings(${name})
endfunction()

function(tm_test name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS;PROPERTIES" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest GTest::gtest_main Threads::Threads)
  tm_apply_warnings(${name})
  # Tests run from the binary folder so that files placed beside the program
  # (Converter.ini, mencoder.exe, fonts.conf) are found as the program finds them.
  # PROPERTIES are CTest test properties given to every test of the binary,
  # e.g. RUN_SERIAL TRUE for tests that drive a real X server.
  gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
                       DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ${A_PROPERTIES})
endfunction()

function(tm_fuzzer name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT TM_FUZZ)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${A_DEPS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
endfunction()

function(tm_benchmark name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT TM_BENCH)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${A_DEPS} benchmark::benchmark)
  tm_apply_warnings(${name})
endfunction()
