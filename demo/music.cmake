add_library(velmora_music STATIC MusicPlayer.cpp AudioOutput.cpp)
target_link_libraries(velmora_music PUBLIC velmora_error PkgConfig::OPENMPT PkgConfig::SDL2)
