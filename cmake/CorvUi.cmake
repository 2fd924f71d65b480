# corv_ui: every window, view, dialog and control (the */ui folders), and the corvessa program whose
# main lives in app/ui/.
file(GLOB_RECURSE CORV_UI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/*/ui/*.cpp)
list(FILTER CORV_UI_SOURCES EXCLUDE REGEX "^${CMAKE_SOURCE_DIR}/(build|tests|bench)")
list(FILTER CORV_UI_SOURCES EXCLUDE REGEX "/app/ui/main\\.cpp$")
# The slide exporter is a program of its own; its form is built with it.
list(FILTER CORV_UI_SOURCES EXCLUDE REGEX "/slideexport/ui/")
# Narration is recorded with Qt Multimedia.
find_package(Qt6 REQUIRED COMPONENTS Multimedia)
set(CORV_UI_DEPS Qt6::Widgets Qt6::Multimedia)
foreach(lib corv_platform corv_image corv_imageqt corv_imagewmf corv_model corv_document corv_app corv_publish corv_import
            corv_editor corv_dialogs)
  if(TARGET ${lib})
    list(APPEND CORV_UI_DEPS ${lib})
  endif()
endforeach()
if(CORV_UI_SOURCES)
  add_library(corv_ui STATIC ${CORV_UI_SOURCES})
  set_target_properties(corv_ui PROPERTIES AUTOMOC ON)
  target_link_libraries(corv_ui PUBLIC ${CORV_UI_DEPS})
  corv_warnings(corv_ui)
  set(CORV_UI_DEPS corv_ui)
endif()

add_executable(corvessa ${CMAKE_SOURCE_DIR}/app/ui/main.cpp)
target_link_libraries(corvessa PRIVATE ${CORV_UI_DEPS})
corv_warnings(corvessa)
