# The core's folders and the folders each one may include from. The directions run one
# way: a folder uses only folders listed above it, so no two folders include each other.
# The configure step refuses a wrong include; `cmake -DCORE_DIR=DIR -P CoreLayers.cmake`
# checks a tree by itself.
if(CMAKE_SCRIPT_MODE_FILE)
  cmake_minimum_required(VERSION 3.25)
endif()
set(TALVANE_CORE_LAYERS
  "text:"
  "collection:text"
  "journal:collection,text"
  "garden:collection,journal,text"
  "picture:text"
  "guide:collection"
  "labels:collection"
  "csv:collection,journal,text"
  "report:collection,journal"
  "timeline:collection,journal,picture,text"
  "search:collection,garden,journal,text,timeline"
  "passport:collection,journal,text,timeline"
  "reminders:collection,garden,journal,text"
  "companion:collection,garden,journal,labels,picture,reminders,search,text,timeline")

# Fails with every include of a core folder that its line above does not allow, and
# with any folder the table does not name.
function(talvane_check_core_layers core_dir)
  set(known "")
  foreach(layer IN LISTS TALVANE_CORE_LAYERS)
    string(REPLACE ":" ";" parts "${layer}")
    list(GET parts 0 folder)
    list(APPEND known ${folder})
  endforeach()
  set(faults "")
  file(GLOB folders LIST_DIRECTORIES true RELATIVE ${core_dir} ${core_dir}/*)
  foreach(folder IN LISTS folders)
    if(IS_DIRECTORY ${core_dir}/${folder} AND NOT folder IN_LIST known)
      list(APPEND faults "${folder}/ is not in the core's layers")
    endif()
  endforeach()
  foreach(layer IN LISTS TALVANE_CORE_LAYERS)
    string(REPLACE ":" ";" parts "${layer}")
    list(GET parts 0 folder)
    set(allowed "")
    list(LENGTH parts count)
    if(count GREATER 1)
      list(GET parts 1 uses)
      string(REPLACE "," ";" allowed "${uses}")
    endif()
    file(GLOB_RECURSE files ${core_dir}/${folder}/*.h ${core_dir}/${folder}/*.cpp)
    foreach(file IN LISTS files)
      file(STRINGS ${file} includes REGEX "^#include \"core/[a-z]+/")
      foreach(line IN LISTS includes)
        string(REGEX REPLACE "^#include \"core/([a-z]+)/.*" "\\1" used "${line}")
        if(NOT used STREQUAL folder AND used IN_LIST known AND NOT used IN_LIST allowed)
          file(RELATIVE_PATH shown ${core_dir} ${file})
          list(APPEND faults "${shown} includes ${used}/, which ${folder}/ may not use")
        endif()
      endforeach()
    endforeach()
  endforeach()
  if(faults)
    list(JOIN faults "\n  " said)
    message(FATAL_ERROR "Includes against the core's layers (src/core/CoreLayers.cmake):\n  ${said}")
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  talvane_check_core_layers(${CORE_DIR})
endif()
