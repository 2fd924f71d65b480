if(TARGET corv_slideexport)
  corv_fuzzer(pptx_fuzz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/pptx_fuzz.cpp DEPS corv_slideexport)
endif()
