add_library(velmora_timeline STATIC Timeline.cpp)
target_link_libraries(velmora_timeline PUBLIC velmora_scenes)

add_library(velmora_demo STATIC Demo.cpp Clock.cpp)
target_link_libraries(velmora_demo PUBLIC velmora_timeline velmora_music velmora_window)
