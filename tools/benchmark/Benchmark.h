// Benchmark: what every section of velmora_benchmark shares — the settings of
// the run, the machine the figures belong to, and the table of sections. A
// section measures into a JSON object and prints that object as a table, so a
// new one (a capture or a scaled-blit figure) plugs in as one more row.
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

using Json = nlohmann::json;

struct Settings {
    bool quick = false;
    int framesPerStretch = 300;
    // Seconds of music played under load; 0 for the whole intro stretch.
    double audioSeconds = 0.0;
    // The windowed client area, as the demo shows it by default.
    int width = 640;
    int height = 461;
    std::string toolFolder;  // where the benchmark's helper programs are
};

// The machine a figure was taken on: printed and stored beside each section.
struct Machine {
    std::string cpu;
    std::string glRenderer;
    std::string glVersion;
    int cores = 0;
};

Machine describeMachine();
// "1.23 0.98 0.70": the load averages now, to read the figures by.
std::string loadAverage();
// One line naming the machine and the load, printed over every table.
std::string machineLine(const Machine& machine, const std::string& load);

struct Section {
    const char* name;  // as given to --only, and the key in --json
    Json (*measure)(const Settings&);
    void (*print)(const Json&);
};

// The benchmark's sections in the order they run.
const std::vector<Section>& sections();
