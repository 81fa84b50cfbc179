// Sections: the table velmora_benchmark runs through. A new measurement (the
// capture tool's speed, say) is one more row here.
#include "tools/benchmark/Sections.h"

#include "tools/benchmark/FrameTimes.h"

const std::vector<Section>& sections() {
    static const std::vector<Section> table = {
        {"frames", measureFrameTimes, printFrameTimes},
        {"cpu", measureCpu, printCpu},
        {"audio", measureAudio, printAudio},
        {"startup", measureStartup, printStartup},
        {"memory", measureMemory, printMemory},
        {"presentation", measurePresentation, printPresentation},
        {"sync", measureSync, printSync},
    };
    return table;
}
