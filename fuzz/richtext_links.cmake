corv_fuzzer(richtext_links_fuzz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/richtext_links_fuzz.cpp DEPS corv_model)
