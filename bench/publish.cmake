# Publishing: packing a published folder, beside the zip program on the same folder.
if(TARGET corv_publish)
  add_executable(publish_bench ${CMAKE_CURRENT_LIST_DIR}/publish_bench.cpp)
  target_link_libraries(publish_bench PRIVATE corv_publish)
  corv_warnings(publish_bench)
endif()
