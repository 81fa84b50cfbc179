# Cross-building for 64-bit Windows with Debian's mingw-w64 (the posix-thread
# variant: std::thread and the rest of the C++ library need it). The
# libraries cross-built by scripts/windows sit in VELMORA_WIN64_PREFIX; only
# they and mingw's own are searched, never the build machine's.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(velmora_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${velmora_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${velmora_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${velmora_triple}-windres)

list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VELMORA_WIN64_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${velmora_triple} ${VELMORA_WIN64_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
if(VELMORA_WIN64_PREFIX)
  set(ENV{PKG_CONFIG_LIBDIR} ${VELMORA_WIN64_PREFIX}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
endif()

# Test programs run through Wine.
find_program(VELMORA_WINE wine)
if(VELMORA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VELMORA_WINE})
endif()
