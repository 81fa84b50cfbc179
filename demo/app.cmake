# The timeline (plain logic over the music position, drawing through the
# scenes), the time base's sources, and the demo object that owns them all.
# The GL state every run starts from, shared by the window and the headless
# run (GL headers only; the executable chooses what resolves the calls).
add_library(velmora_glstate STATIC InitialGLState.cpp)

add_library(velmora_timeline STATIC Timeline.cpp TimelineRun.cpp PresentationLead.cpp
  PresentedPosition.cpp)
# The end flag it reads lives with the music player.
target_link_libraries(velmora_timeline PUBLIC velmora_scenes velmora_music_core)

# The time base's arithmetic (velmora_clock_core), and SDL's counter as its
# source where there is SDL.
add_library(velmora_clock_core STATIC Clock.cpp)
target_link_libraries(velmora_clock_core PUBLIC velmora_error)

# The browser build has neither SDL nor a window: it stops here.
if(VELMORA_PLATFORM STREQUAL "web")
  return()
endif()

add_library(velmora_clock STATIC SdlClockSource.cpp)
target_link_libraries(velmora_clock PUBLIC velmora_clock_core PkgConfig::SDL2)

add_library(velmora_demo STATIC Demo.cpp)
target_link_libraries(velmora_demo PUBLIC
  velmora_timeline velmora_clock velmora_music velmora_window)
# The frame record a probe preloaded into the program reads by name.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  target_link_options(velmora_demo INTERFACE "LINKER:--export-dynamic-symbol=velmoraPresentedFrame")
endif()
