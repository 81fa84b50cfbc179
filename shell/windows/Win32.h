// windows.h for the Windows-only files of the shell, and only for them: its
// macros (near, far, min, max, ERROR) would break the platform-free code.
// The build defines the macros the GL headers need, so that they do
// not pull windows.h in everywhere; windows.h defines them its own way.
#pragma once

#undef WINGDIAPI
#undef APIENTRY
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
