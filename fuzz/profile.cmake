if(TARGET corv_document)
  corv_fuzzer(profile_fuzz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/profile_fuzz.cpp DEPS corv_document)
  corv_fuzzer(library_catalogue_fuzz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/library_catalogue_fuzz.cpp DEPS corv_document)
endif()
