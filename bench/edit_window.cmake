# edit_window_bench: a large project opened in the Edit window and its thumbnail list scrolled, beside the
# document's own open of the same project.
if(TARGET corv_ui)
  add_executable(edit_window_bench ${CMAKE_CURRENT_LIST_DIR}/edit_window_bench.cpp)
  target_link_libraries(edit_window_bench PRIVATE corv_ui)
  corv_warnings(edit_window_bench)
endif()
