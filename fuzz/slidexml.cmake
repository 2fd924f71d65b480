if(TARGET corv_import)
  corv_fuzzer(slidexml_fuzz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/slidexml_fuzz.cpp DEPS corv_import)
endif()
