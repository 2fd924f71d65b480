# Fixed packages with one part taken from the fuzzer: word/document.xml and ppt/slides/slide1.xml.
if(TARGET corv_import)
  corv_fuzzer(docx_part_fuzz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/docx_part_fuzz.cpp DEPS corv_import)
endif()
if(TARGET corv_import AND TARGET corv_slideexport)
  corv_fuzzer(pptx_part_fuzz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/pptx_part_fuzz.cpp DEPS corv_import corv_slideexport)
  target_compile_definitions(pptx_part_fuzz PRIVATE CORV_FIXTURES="${CMAKE_SOURCE_DIR}/tests/fixtures")
endif()
