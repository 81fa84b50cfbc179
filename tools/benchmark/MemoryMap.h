// MemoryMap: where a process's resident memory lives, from /proc/self/smaps,
// summed by owner: the GL driver, GTK and its stack, SDL, the module player,
// the C and C++ runtime, the program, and the heap and anonymous mappings
// (textures, framebuffers, the module's data, llvmpipe's compiled code).
#pragma once

#include <map>
#include <string>

// Resident kilobytes per owner of this process now.
std::map<std::string, long> residentByOwner();
// VmRSS and VmHWM (the peak) of this process, in kilobytes.
long residentKb();
long peakResidentKb();
// The owner a mapping's path belongs to ("heap and anonymous" for none).
std::string ownerOf(const std::string& path);
