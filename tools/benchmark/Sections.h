// Sections: the measurements velmora_benchmark runs, each a measure that
// returns its figures as JSON and a print that shows them as a table.
#pragma once

#include "tools/benchmark/Benchmark.h"

Json measureCpu(const Settings& settings);
void printCpu(const Json& result);
Json measureAudio(const Settings& settings);
void printAudio(const Json& result);
Json measureStartup(const Settings& settings);
void printStartup(const Json& result);
Json measureMemory(const Settings& settings);
void printMemory(const Json& result);
Json measurePresentation(const Settings& settings);
void printPresentation(const Json& result);
Json measureSync(const Settings& settings);
void printSync(const Json& result);

// The real program under the display the benchmark was given, with the
// first-present probe preloaded: started once, read by start-up and memory.
// Empty when there is no display, no xdotool or no velmora binary.
const Json& realProgramRun(const Settings& settings);
