# rtf_bench: writing RTF of non-Latin text against the same amount of ASCII text.
add_executable(rtf_bench ${CMAKE_CURRENT_LIST_DIR}/rtf_bench.cpp)
target_link_libraries(rtf_bench PRIVATE corv_platform)
corv_warnings(rtf_bench)
