# The graphics library's search in a library of 10,000 pictures, against a plain scan of the same keywords.
if(TARGET corv_import)
  add_executable(library_search_bench ${CMAKE_CURRENT_SOURCE_DIR}/library_search_bench.cpp)
  target_link_libraries(library_search_bench PRIVATE corv_import)
  corv_warnings(library_search_bench)
endif()
