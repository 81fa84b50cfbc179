# The browser build (scripts/web configures it with emscripten's emcmake): the
# same timeline, scenes and objects, drawn through the fixed-function layer
# (webgl/) on WebGL 2, the music from libopenmpt built for the web
# (scripts/web-deps), BMP decoding by Debian's stb_image. No SDL, no window
# and no toolkit: the page is the launcher, shell/web the platform.
set(VELMORA_WEB_OPENMPT "" CACHE PATH "libopenmpt built with emscripten (scripts/web-deps prints it)")
set(VELMORA_STB_INCLUDE /usr/include/stb CACHE PATH "stb_image.h (Debian's libstb-dev)")
if(NOT EXISTS "${VELMORA_WEB_OPENMPT}/lib/libopenmpt.a")
  message(FATAL_ERROR "VELMORA_WEB_OPENMPT: no libopenmpt.a under '${VELMORA_WEB_OPENMPT}'; scripts/web builds it")
endif()
if(NOT EXISTS "${VELMORA_STB_INCLUDE}/stb_image.h")
  message(FATAL_ERROR "VELMORA_STB_INCLUDE: no stb_image.h in '${VELMORA_STB_INCLUDE}' (libstb-dev)")
endif()
add_library(PkgConfig::OPENMPT STATIC IMPORTED)
set_target_properties(PkgConfig::OPENMPT PROPERTIES
  IMPORTED_LOCATION ${VELMORA_WEB_OPENMPT}/lib/libopenmpt.a
  INTERFACE_INCLUDE_DIRECTORIES ${VELMORA_WEB_OPENMPT}/include)

# The demo's C++ exceptions (CError and the loaders') are caught in wasm
# itself, at no cost on the paths that do not throw.
add_compile_options(-fwasm-exceptions)
add_link_options(-fwasm-exceptions)

# emscripten's CMake platform does not say how wasm-ld takes a whole archive
# (the layer's C names, which nothing in the layer itself calls).
set(CMAKE_CXX_LINK_LIBRARY_USING_WHOLE_ARCHIVE
    "LINKER:--whole-archive" "<LINK_ITEM>" "LINKER:--no-whole-archive")
set(CMAKE_CXX_LINK_LIBRARY_USING_WHOLE_ARCHIVE_SUPPORTED TRUE)

include_directories(${CMAKE_SOURCE_DIR})
# The GL and GLU names are the layer's.
add_library(velmora_gl INTERFACE)
target_link_libraries(velmora_gl INTERFACE velmora_webgl)

add_subdirectory(shell)
add_subdirectory(gfx)
add_subdirectory(webgl)
add_subdirectory(objects)
add_subdirectory(scenes)
add_subdirectory(demo)
include(tools/capture/fastforward.cmake)
# The page puts the data in its file system's working directory; there is no
# installed tree beside a program.
target_compile_definitions(velmora_gfx PRIVATE VELMORA_INSTALLED_DATA_FOLDER=".")
