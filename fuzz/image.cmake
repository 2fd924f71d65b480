# Decoding with format detection over arbitrary bytes, metafiles included. Seed it with
# tests/fixtures/ (see image_fuzz.cpp).
corv_fuzzer(image_fuzz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/image_fuzz.cpp DEPS corv_image corv_imagewmf)
