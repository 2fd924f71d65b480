# archive_bench: saving and loading a large course against plain file writes and reads of the same size.
if(TARGET corv_document)
  add_executable(archive_bench ${CMAKE_CURRENT_LIST_DIR}/archive_bench.cpp)
  target_link_libraries(archive_bench PRIVATE corv_document)
  corv_warnings(archive_bench)
endif()
