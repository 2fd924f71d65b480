# Helpers shared by every folder of the tree.

# Our own warning policy: -Wall -Wextra, errors in our code.
function(corv_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(CORV_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# corv_library(<target> [DEPS ...]): a static library made of the headless sources at the root of the
# calling folder (sub-folders other than ui/ are included too; each ui/ folder has a library of its own, cmake/CorvUi.cmake).
function(corv_library target)
  cmake_parse_arguments(ARG "" "" "DEPS;SOURCES" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  list(FILTER srcs EXCLUDE REGEX "/ui/")
  if(NOT srcs AND NOT ARG_SOURCES)
    return()
  endif()
  add_library(${target} STATIC ${srcs} ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  corv_warnings(${target})
  corv_forbid_widgets(${target})
endfunction()

# Headless libraries may never reach Qt Widgets: refuse to link it, and refuse its headers at compile time.
# cmake/headless/ comes first on their include path and holds a QtWidgets/qtwidgetsglobal.h that stops the
# compiler: every Qt Widgets header includes that one.
function(corv_forbid_widgets target)
  get_target_property(libs ${target} LINK_LIBRARIES)
  foreach(l IN LISTS libs)
    if(l MATCHES "Widgets")
      message(FATAL_ERROR "${target} is headless and must not link ${l}")
    endif()
  endforeach()
  target_include_directories(${target} BEFORE PRIVATE ${CMAKE_SOURCE_DIR}/cmake/headless)
endfunction()

# corv_test(<name> DEPS ...): one GoogleTest program made of every test source in the calling folder.
function(corv_test name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} corv_testsupport GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    CORV_FIXTURES="${CMAKE_SOURCE_DIR}/tests/fixtures"
    CORV_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  corv_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 900)
endfunction()
