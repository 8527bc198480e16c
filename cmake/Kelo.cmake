# One room, one target: kelo_add_library(name SOURCES ... DEPENDS ...) declares a room's library;
# kelo_add_test(name SOURCES ... DEPENDS ...) a GoogleTest program run by CTest.

add_library(kelo_options INTERFACE)
target_compile_options(kelo_options INTERFACE -Wall -Wextra -Wpedantic -Werror)
if(KELO_SANITIZE)
  target_compile_options(kelo_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(kelo_options INTERFACE -fsanitize=address,undefined)
endif()

function(kelo_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;PRIVATE_DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC kelo_options ${ARG_DEPENDS} PRIVATE ${ARG_PRIVATE_DEPENDS})
endfunction()

function(kelo_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE kelo_options ${ARG_DEPENDS} GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 NO_PRETTY_VALUES)
endfunction()
