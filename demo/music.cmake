# The music player: libopenmpt decoding, the SDL audio device and the
# device-free outputs used by tests and the capture tool.
add_library(velmora_music STATIC
  MusicPlayer.cpp
  ModuleRenderer.cpp
  PositionRing.cpp
  AudioOutput.cpp
  SdlAudioOutput.cpp
  NullAudioOutput.cpp
  OfflineAudioOutput.cpp)
target_link_libraries(velmora_music PUBLIC velmora_error PkgConfig::OPENMPT PkgConfig::SDL2)
