# The fast-forward a still is reached by (FastForward) and the module's own
# timing it plans with (ModuleClock): no FFmpeg, so the browser build's still
# mode takes the same library (shell/web/web.cmake includes this file too).
add_library(velmora_fast_forward STATIC
  ${CMAKE_SOURCE_DIR}/tools/capture/FastForward.cpp
  ${CMAKE_SOURCE_DIR}/tools/capture/ModuleClock.cpp)
target_link_libraries(velmora_fast_forward PUBLIC velmora_fixed_step_run PkgConfig::OPENMPT)
