corv_fuzzer(docx_fuzz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/docx_fuzz.cpp DEPS corv_import)
