corv_fuzzer(rtf_fuzz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/rtf_fuzz.cpp DEPS corv_platform)
