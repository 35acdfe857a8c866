# Sorts the sources of one subsystem folder into the model library and the Qt layer.
#
# The model (lesson store, loaders, engine, view geometry, speed meter, options,
# settings file, evaluation rules) is plain C++ and never includes Qt. The Qt
# layer holds the windows and the platform services. A file belongs to the Qt
# layer when its name says so:
#   T<Upper>...   window classes (TFormHOknoPM, TFormErr, TSOkno, ...)
#   Qt...         Qt implementations of the model's seams (QtCanvas, QtSoundPlayer, ...)
#   PaintBoxType  the widget that shows the typing line
# main.cpp is the executable and belongs to neither library.
set(KLAPTOS_QT_FILE_REGEX "^(T[A-Z][A-Za-z0-9]*|Qt[A-Za-z0-9]*|PaintBoxType)\\.(cpp|h)$")

function(klaptos_split_sources dir model_var ui_var)
  if(CMAKE_SCRIPT_MODE_FILE)
    file(GLOB files "${dir}/*.cpp" "${dir}/*.h")
  else()
    file(GLOB files CONFIGURE_DEPENDS "${dir}/*.cpp" "${dir}/*.h")
  endif()
  set(model "")
  set(ui "")
  foreach(f IN LISTS files)
    get_filename_component(name "${f}" NAME)
    if(name STREQUAL "main.cpp")
      continue()
    elseif(name MATCHES "${KLAPTOS_QT_FILE_REGEX}")
      list(APPEND ui "${f}")
    else()
      list(APPEND model "${f}")
    endif()
  endforeach()
  set(${model_var} ${model} PARENT_SCOPE)
  set(${ui_var} ${ui} PARENT_SCOPE)
endfunction()
