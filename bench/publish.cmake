# Publishing: a whole SCORM 2004 publish beside copying its folder and zipping the copy; packing a published
# folder beside the zip program on the same folder.
if(TARGET corv_publish)
  add_executable(publish_bench ${CMAKE_CURRENT_LIST_DIR}/publish_bench.cpp)
  target_link_libraries(publish_bench PRIVATE corv_publish)
  target_compile_definitions(publish_bench PRIVATE CORV_PROGRAM_FOLDER="${CMAKE_BINARY_DIR}/bin/")
  corv_warnings(publish_bench)
endif()
