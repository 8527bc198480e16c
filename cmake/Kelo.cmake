# One room, one target. Every target of the project is declared through one of three helpers, so
# that its folder and the rooms it depends on are known and the include check below can hold the
# sources to that link line:
#   kelo_add_library(name SOURCES ... DEPENDS ... [PRIVATE_DEPENDS ...])  a room's library
#   kelo_add_executable(name SOURCES ... DEPENDS ...)                     a program
#   kelo_add_test(name SOURCES ... DEPENDS ... [ENVIRONMENT ...])         a GoogleTest program run by CTest
# All of src/ is one include root, so only the check notices a room including a neighbour that
# it does not link: `architecture.includes` fails then, naming the file and the room.

add_library(kelo_options INTERFACE)
target_compile_options(kelo_options INTERFACE -Wall -Wextra -Wpedantic -Werror)
if(KELO_SANITIZE)
  target_compile_options(kelo_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(kelo_options INTERFACE -fsanitize=address,undefined)
endif()

# Remembers a target's folder and its direct dependencies for the include check.
function(kelo_record_unit name)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set_property(GLOBAL APPEND PROPERTY KELO_UNITS ${name})
  set_property(GLOBAL PROPERTY KELO_FOLDER_${name} ${folder})
  set_property(GLOBAL PROPERTY KELO_DEPENDS_${name} ${ARGN})
endfunction()

function(kelo_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;PRIVATE_DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC kelo_options ${ARG_DEPENDS} PRIVATE ${ARG_PRIVATE_DEPENDS})
  kelo_record_unit(${name} ${ARG_DEPENDS} ${ARG_PRIVATE_DEPENDS})
endfunction()

function(kelo_add_executable name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE kelo_options ${ARG_DEPENDS})
  kelo_record_unit(${name} ${ARG_DEPENDS})
endfunction()

function(kelo_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE kelo_options ${ARG_DEPENDS} GTest::gmock GTest::gtest_main)
  if(ARG_ENVIRONMENT)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 NO_PRETTY_VALUES
      PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 NO_PRETTY_VALUES)
  endif()
  kelo_record_unit(${name} ${ARG_DEPENDS})
endfunction()

# Adds the rooms listed, in their order, from `base`; a listed room without a folder of its own
# is a mistake in the list, not a room to skip.
function(kelo_add_rooms base)
  foreach(room ${ARGN})
    if(NOT EXISTS ${base}/${room}/CMakeLists.txt)
      message(FATAL_ERROR "room '${room}' is listed in ${base}/CMakeLists.txt but has no ${room}/CMakeLists.txt")
    endif()
    add_subdirectory(${room})
  endforeach()
endfunction()

# The rooms a unit may include from: its own folder and, transitively, its dependencies' folders.
function(kelo_allowed_folders name out)
  set(seen)
  set(pending ${name})
  set(folders)
  while(pending)
    list(POP_FRONT pending unit)
    if(unit IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${unit})
    get_property(folder GLOBAL PROPERTY KELO_FOLDER_${unit})
    if(folder)
      list(APPEND folders ${folder})
      get_property(depends GLOBAL PROPERTY KELO_DEPENDS_${unit})
      list(APPEND pending ${depends})
    endif()
  endwhile()
  list(REMOVE_DUPLICATES folders)
  set(${out} ${folders} PARENT_SCOPE)
endfunction()

# Writes what the include check reads and registers the check as a test; call once, at the end.
function(kelo_add_include_check)
  get_property(units GLOBAL PROPERTY KELO_UNITS)
  set(manifest "${CMAKE_BINARY_DIR}/kelo_rooms.cmake")
  set(text "set(KELO_ROOT \"${PROJECT_SOURCE_DIR}\")\nset(KELO_UNITS ${units})\n")
  foreach(unit ${units})
    get_property(folder GLOBAL PROPERTY KELO_FOLDER_${unit})
    kelo_allowed_folders(${unit} allowed)
    string(APPEND text "set(KELO_FOLDER_${unit} \"${folder}\")\n")
    string(APPEND text "set(KELO_ALLOWED_${unit} \"${allowed}\")\n")
  endforeach()
  file(WRITE ${manifest} "${text}")
  add_test(NAME architecture.includes
    COMMAND ${CMAKE_COMMAND} -DMANIFEST=${manifest} -P ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake)
endfunction()
