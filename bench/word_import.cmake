# word_import_bench: reading and importing a 200-page .docx beside the office suite's conversion to text.
if(TARGET corv_import)
  add_executable(word_import_bench ${CMAKE_CURRENT_LIST_DIR}/word_import_bench.cpp)
  target_link_libraries(word_import_bench PRIVATE corv_import Qt6::Gui)
  target_include_directories(word_import_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  corv_warnings(word_import_bench)
endif()
