# The music player: libopenmpt decoding, the SDL audio device and the
# device-free outputs used by tests and the capture tool.
add_library(velmora_music STATIC
  ${CMAKE_CURRENT_LIST_DIR}/MusicPlayer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ModuleRenderer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PositionRing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AudioOutput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SdlAudioOutput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NullAudioOutput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OfflineAudioOutput.cpp)
target_link_libraries(velmora_music PUBLIC velmora_error PkgConfig::OPENMPT PkgConfig::SDL2)
