if(TARGET corv_import)
  corv_fuzzer(library_index_fuzz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/library_index_fuzz.cpp DEPS corv_import)
endif()
