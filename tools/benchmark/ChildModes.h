// ChildModes: velmora_benchmark started by itself for a measurement that
// needs a fresh process — the start-up steps and the memory of a whole
// headless run. Each prints one JSON document.
#pragma once

#include <string>

// True when `arg` names a child mode; it has then run, with `status` set.
bool runChildMode(const std::string& arg, int& status);

// Environment variable holding the parent's monotonic clock at spawn time.
constexpr const char* spawnedAtVariable = "VELMORA_BENCHMARK_SPAWNED_AT";
