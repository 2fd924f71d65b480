# startup_bench: the program started with a large project on its command line, beside an empty start.
if(TARGET corv_ui)
  add_executable(startup_bench ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp)
  target_link_libraries(startup_bench PRIVATE corv_ui)
  corv_warnings(startup_bench)
endif()
