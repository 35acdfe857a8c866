# Where the program's sources lie, layer by layer:
#   src/common      small shared helpers without Qt: code page 1250, the settings file
#   src/core/<sub>  the model of each subsystem, plain C++ without Qt
#   src/ui/<sub>    the Qt layer: windows, widgets and the Qt implementations of the seams
#   src/app         main.cpp, the executable alone
# A subsystem is a folder: a new folder under src/core or src/ui joins its library by
# itself. Includes go from ui into core and common, from core into common, never back;
# the model library is given only the model's folders, so an include of a Qt-layer header
# from the model does not compile.

set(KLAPTOS_SRC_DIR ${CMAKE_CURRENT_LIST_DIR}/../src)
get_filename_component(KLAPTOS_SRC_DIR ${KLAPTOS_SRC_DIR} ABSOLUTE)

# The folders of one layer: "model" (src/common and src/core/*) or "ui" (src/ui/*).
function(klaptos_layer_dirs layer out_var)
  set(dirs "")
  if(layer STREQUAL "model")
    list(APPEND dirs ${KLAPTOS_SRC_DIR}/common)
    set(parent ${KLAPTOS_SRC_DIR}/core)
  else()
    set(parent ${KLAPTOS_SRC_DIR}/ui)
  endif()
  file(GLOB children LIST_DIRECTORIES true "${parent}/*")
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${child})
      list(APPEND dirs ${child})
    endif()
  endforeach()
  set(${out_var} ${dirs} PARENT_SCOPE)
endfunction()

# The sources (.cpp and .h) of the given folders.
function(klaptos_sources_of out_var)
  set(files "")
  foreach(dir IN LISTS ARGN)
    if(CMAKE_SCRIPT_MODE_FILE)
      file(GLOB found "${dir}/*.cpp" "${dir}/*.h")
    else()
      file(GLOB found CONFIGURE_DEPENDS "${dir}/*.cpp" "${dir}/*.h")
    endif()
    list(APPEND files ${found})
  endforeach()
  set(${out_var} ${files} PARENT_SCOPE)
endfunction()

# The model library: no Qt, testable with GoogleTest alone.
function(klaptos_add_model_library)
  klaptos_layer_dirs(model dirs)
  klaptos_sources_of(sources ${dirs})
  add_library(klaptos_model STATIC ${sources})
  target_include_directories(klaptos_model PUBLIC ${dirs})
endfunction()
