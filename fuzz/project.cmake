# The project file on untrusted bytes, with a save-load-save check. Seed it with fuzz/corpus/project/.
corv_fuzzer(project_fuzz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/project_fuzz.cpp DEPS corv_document)
