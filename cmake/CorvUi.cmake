# The widgets: one library for each ui folder, each built on the ones below it.
#
#   corv_ui_platform   platform/ui       what every window uses: file and folder pickers, message boxes,
#                                        dialogs whose controls follow update handlers, the row builder
#   corv_ui_model      model/ui          the mirrored layout of right-to-left courses
#   corv_ui_controls   app/ui/controls   the controls: colour and line pickers, trackers, spin edits...
#   corv_ui_dialogs    dialogs/ui        the editing dialogs
#   corv_ui_editor     editor/ui         the Edit window, its canvas and its component windows
#   corv_ui            app/ui            the main frame, the other windows, the corvessa program
#
# A folder may include the headers of the folders below it, never of one above: on each library's include
# path, every header of the folders above it is shadowed by one that stops the compiler, so a circle
# between the folders fails the build.
find_package(Qt6 REQUIRED COMPONENTS Multimedia)

set(CORV_UI_HEADLESS)
foreach(lib corv_platform corv_image corv_imageqt corv_imagewmf corv_model corv_document corv_app corv_publish corv_import
            corv_editor corv_dialogs)
  if(TARGET ${lib})
    list(APPEND CORV_UI_HEADLESS ${lib})
  endif()
endforeach()

# corv_ui_layer(<target> <folder> USES <libraries below> ABOVE <folders above>)
function(corv_ui_layer target folder)
  cmake_parse_arguments(ARG "" "" "USES;ABOVE" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  list(FILTER srcs EXCLUDE REGEX "/app/ui/main\\.cpp$")
  add_library(${target} STATIC ${srcs})
  set_target_properties(${target} PROPERTIES AUTOMOC ON)
  target_link_libraries(${target} PUBLIC Qt6::Widgets ${CORV_UI_HEADLESS} ${ARG_USES})
  corv_warnings(${target})
  set(shadow ${CMAKE_BINARY_DIR}/ui-layers/${target})
  file(REMOVE_RECURSE ${shadow})
  file(MAKE_DIRECTORY ${shadow})
  foreach(above IN LISTS ARG_ABOVE)
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${above}/*.h)
    foreach(header IN LISTS headers)
      get_filename_component(name ${header} NAME)
      file(WRITE ${shadow}/${above}/${name}
           "#error \"${folder} lies below ${above} and must not include its ${name}\"\n")
    endforeach()
  endforeach()
  target_include_directories(${target} BEFORE PRIVATE ${shadow})
endfunction()

corv_ui_layer(corv_ui_platform platform/ui ABOVE model/ui app/ui/controls dialogs/ui editor/ui app/ui)
corv_ui_layer(corv_ui_model model/ui ABOVE app/ui/controls dialogs/ui editor/ui app/ui)
corv_ui_layer(corv_ui_controls app/ui/controls USES corv_ui_platform corv_ui_model ABOVE dialogs/ui editor/ui app/ui)
corv_ui_layer(corv_ui_dialogs dialogs/ui USES corv_ui_controls Qt6::Multimedia ABOVE editor/ui app/ui)
corv_ui_layer(corv_ui_editor editor/ui USES corv_ui_dialogs ABOVE app/ui)
corv_ui_layer(corv_ui app/ui USES corv_ui_editor)

add_executable(corvessa ${CMAKE_SOURCE_DIR}/app/ui/main.cpp)
target_link_libraries(corvessa PRIVATE corv_ui)
corv_warnings(corvessa)
