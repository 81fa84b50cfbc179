// PresentationSection: the scaled fullscreen presentation's cost, measured by
// velmora_presentation_benchmark (its own program, per screen size) and shown
// here as one more section of the table.
#include "tools/benchmark/Sections.h"

#include <cstdio>
#include <sstream>

#include "tools/benchmark/Subprocess.h"

Json measurePresentation(const Settings& settings) {
    Subprocess presentation({settings.toolFolder + "/velmora_presentation_benchmark",
                             settings.quick ? "50" : "200"});
    const ChildResult done = presentation.wait();
    if (done.status != 0) {
        throw std::runtime_error("velmora_presentation_benchmark failed (status " +
                                 std::to_string(done.status) + ")");
    }
    Json lines = Json::array();
    std::istringstream output(done.output);
    for (std::string line; std::getline(output, line);) lines.push_back(line);
    return Json{{"lines", lines}};
}

void printPresentation(const Json& result) {
    for (const Json& line : result["lines"]) std::printf("  %s\n", line.get<std::string>().c_str());
}
