// Memory: peak resident set over a whole headless run (every scene drawn,
// every texture made, the module loaded) in a fresh process, and, given a
// display, over the real program's run; each with what makes it up.
#include "tools/benchmark/Sections.h"

#include <cstdio>

#include "gfx/BitmapImage.h"
#include "gfx/DataPath.h"
#include "tools/benchmark/Subprocess.h"

namespace {

// The scenes' textures and the framebuffer, from their sizes: the part of
// "heap and anonymous" the pictures account for.
long imageBytes(const char* file) {
    BitmapImage image;
    image.load(dataPath(file));
    return long(image.width) * image.height * 4;
}

Json knownBuffers(int width, int height) {
    const long cubeStar = 256 * 256 * 4;
    const long cubeGrid = 2 * 128 * 128 * 4;
    // The panels' textures; the scene keeps the decoded images as well.
    const long panels = imageBytes("data/code.bmp") + imageBytes("data/shit.bmp");
    const long framebuffer = long(width) * height * (4 + 4 + 4);  // front, back, depth
    return Json{{"textures_kb", (cubeStar + cubeGrid + panels) / 1024},
                {"decoded_images_kb", panels / 1024},
                {"framebuffer_kb", framebuffer / 1024}};
}

void printOwners(const Json& owners) {
    for (const auto& [owner, kb] : owners.items()) {
        std::printf("    %-40s %7.1f MB\n", owner.c_str(), kb.get<long>() / 1024.0);
    }
}

}  // namespace

Json measureMemory(const Settings& settings) {
    Json result;
    Subprocess walk({settings.toolFolder + "/velmora_benchmark",
                     "--memory-walk=" + std::to_string(settings.quick ? 4 : 16)});
    const ChildResult done = walk.wait();
    result["headless"] = Json::parse(done.output, nullptr, false);
    result["known_buffers"] = knownBuffers(settings.width, settings.height);
    result["real_program"] = realProgramRun(settings);
    return result;
}

void printMemory(const Json& r) {
    const Json& h = r["headless"];
    if (h.is_object()) {
        std::printf("Memory of a whole headless run (all scenes, module loaded): peak %.1f MB\n",
                    h["peak_rss_kb"].get<long>() / 1024.0);
        std::printf("  grown by step: %.1f MB at main, +%.1f MB scenes and context, +%.1f MB module,"
                    " +%.1f MB drawing every scene\n",
                    h["start_kb"].get<long>() / 1024.0, h["scenes_and_context_kb"].get<long>() / 1024.0,
                    h["module_kb"].get<long>() / 1024.0, h["drawing_kb"].get<long>() / 1024.0);
        std::printf("  resident at its end %.1f MB (%.1f MB once malloc hands back freed pages), by owner:\n",
                    h["rss_kb"].get<long>() / 1024.0, h["rss_trimmed_kb"].get<long>() / 1024.0);
        printOwners(h["owners_kb"]);
    }
    std::printf("  of which the pictures need: textures %.1f MB, decoded bitmaps %.1f MB, "
                "framebuffer %.1f MB\n",
                r["known_buffers"]["textures_kb"].get<long>() / 1024.0,
                r["known_buffers"]["decoded_images_kb"].get<long>() / 1024.0,
                r["known_buffers"]["framebuffer_kb"].get<long>() / 1024.0);
    const Json& real = r["real_program"];
    if (real.contains("skipped")) {
        std::printf("  the real program: not measured (%s)\n", real["skipped"].get<std::string>().c_str());
        return;
    }
    std::printf("The real program (%s): peak %.1f MB, %.0f %% CPU over %.1f s\n",
                real["whole_run"].get<bool>() ? "whole run" : "to its first frame",
                real["peak_rss_kb"].get<long>() / 1024.0, real["cpu_percent"].get<double>(),
                real["wall_s"].get<double>());
    // At exit when the whole run was watched: the peak's make-up.
    const bool whole = real.contains("at_exit");
    std::printf("  resident at %s, by owner (GTK stays loaded after the launcher):\n",
                whole ? "its exit" : "the first present");
    printOwners(real[whole ? "at_exit" : "at_first_present"]["owners_kb"]);
}
