// OwnedHandle: a kernel object's handle, closed when its owner goes. Windows
// has two ways of saying "no handle" (CreateFileW answers
// INVALID_HANDLE_VALUE, CreateProcessW's and most others nullptr); neither is
// closed. Not for GetCurrentProcess()'s pseudo-handle, which equals the first.
#pragma once

#include "shell/windows/Win32.h"

class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle) : handle(handle) {}
    ~OwnedHandle() {
        if (valid()) CloseHandle(handle);
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    bool valid() const { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

    const HANDLE handle;
};
