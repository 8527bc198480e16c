# Fails when a source includes a header of a room that its target does not depend on. Run by
# CTest as `architecture.includes`, with MANIFEST written by kelo_add_include_check().
#
# A quoted include "a/b/C.h" names the file src/a/b/C.h or tests/a/b/C.h; its room is the unit
# folder that holds it (host/desktop, support, ...). A header in a folder that no unit declares
# belongs to no room and is not checked. Folders shared by several units (tests of one room)
# may include what any of them may.
cmake_minimum_required(VERSION 3.25)
include(${MANIFEST})

set(room_folders)
foreach(unit ${KELO_UNITS})
  list(APPEND room_folders ${KELO_FOLDER_${unit}})
  list(APPEND allowed_in_${KELO_FOLDER_${unit}} ${KELO_ALLOWED_${unit}})
endforeach()
list(REMOVE_DUPLICATES room_folders)

set(faults 0)
foreach(folder ${room_folders})
  file(GLOB sources ${KELO_ROOT}/${folder}/*.cpp ${KELO_ROOT}/${folder}/*.h)
  foreach(source ${sources})
    file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${lines})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" header "${line}")
      set(target_folder "")
      foreach(root src tests)
        if(EXISTS ${KELO_ROOT}/${root}/${header})
          get_filename_component(dir ${root}/${header} DIRECTORY)
          if(dir IN_LIST room_folders)
            set(target_folder ${dir})
          endif()
          break()
        endif()
      endforeach()
      if(target_folder AND NOT target_folder IN_LIST allowed_in_${folder})
        file(RELATIVE_PATH shown ${KELO_ROOT} ${source})
        message("${shown}: includes \"${header}\" of room ${target_folder}, which ${folder} does not depend on")
        math(EXPR faults "${faults} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults GREATER 0)
  message(FATAL_ERROR "${faults} include(s) cross the link line; add the room to DEPENDS or move the code")
endif()
list(LENGTH room_folders count)
message(STATUS "includes of ${count} room folders follow their link lines")
