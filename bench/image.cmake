# Resampling speed against Qt's smooth scaling of the same pictures.
add_executable(image_bench ${CMAKE_CURRENT_SOURCE_DIR}/image_bench.cpp)
target_link_libraries(image_bench PRIVATE corv_image corv_imageqt Qt6::Gui)
corv_warnings(image_bench)
