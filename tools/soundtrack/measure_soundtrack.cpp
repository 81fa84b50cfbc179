// measure_soundtrack: plays a module through libopenmpt and prints, as
// Markdown, the figures docs/soundtrack.md keeps: a section-by-section table,
// each instrument group alone in the main part, width, repeats and accents.
// Usage: measure_soundtrack <module>
#include "demo/Cues.h"
#include "tools/commandline/CommandLine.h"
#include "tools/soundtrack/ModuleRender.h"
#include "tools/soundtrack/SoundMeasure.h"

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

namespace {

struct Section {
    const char* name;
    int first;
    int last;
};

const Section sections[] = {
    {"intro", 0, 3},          {"beat", 4, 5},        {"beat, sphere jolts", 6, 9},
    {"half time", 10, 13},    {"main", 14, 21},      {"main, lift", 22, 29},
    {"finale, breakdown", 30, 33}, {"finale", 34, 37}, {"ending", 38, 38},
};

// The long middle of the demo: the torus scene.
constexpr int mainFirst = static_cast<int>(cues::torus.first);
constexpr int mainLast = static_cast<int>(cues::torus.last);

std::string fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

measure::Span orders(const ModuleRender& render, int first, int last) {
    const auto span = render.ordersSpan(first, last);
    return {span.first, span.second};
}

void printSections(const ModuleRender& render) {
    std::cout << "| Section | Orders | RMS dBFS | Peak dBFS | <160 Hz | 160-630 | 630-2.5k | 2.5k-8k | >8k "
                 "| L/R correlation | Centroid Hz |\n|---|---|---|---|---|---|---|---|---|---|---|\n";
    for (const Section& section : sections) {
        const measure::Span span = orders(render, section.first, section.last);
        const measure::Spectrum spectrum = measure::spectrum(render, span);
        std::cout << "| " << section.name << " | " << section.first << "-" << section.last << " | "
                  << fixed(measure::rmsDb(render, span), 1) << " | " << fixed(measure::peakDb(render, span), 1);
        const double edges[] = {0, 160, 630, 2500, 8000, 1e9};
        for (int band = 0; band < 5; ++band) {
            std::cout << " | " << fixed(100.0 * spectrum.share(edges[band], edges[band + 1]), 0) << " %";
        }
        std::cout << " | " << fixed(measure::correlation(render, span), 2) << " | "
                  << fixed(spectrum.centroidHz(), 0) << " |\n";
    }
    std::cout << "\nRMS by order (dBFS):";
    for (int order = 0; render.played({order, 0}); ++order) {
        std::cout << (order % 10 == 0 ? "\n" : " ") << order << ": "
                  << fixed(measure::rmsDb(render, orders(render, order, order)), 1);
    }
    std::cout << "\n";
}

void printGroups(const std::vector<std::uint8_t>& bytes) {
    std::cout << "\n| Alone, orders " << mainFirst << "-" << mainLast
              << " | RMS dBFS | against the kick |\n|---|---|---|\n";
    double kick = 0.0;
    for (const measure::InstrumentGroup& group : measure::instrumentGroups()) {
        const ModuleRender alone(bytes, {group.instruments, mainFirst, mainLast + 1});
        const double rms = measure::rmsDb(alone, {0, alone.frames()});
        if (group.name == "kick") kick = rms;
        if (rms < -150.0) {
            std::cout << "| " << group.name << " | silent | |\n";  // the module has no such instrument
        } else {
            std::cout << "| " << group.name << " | " << fixed(rms, 1) << " | " << fixed(rms - kick, 1) << " dB |\n";
        }
    }
}

void printChange(const ModuleRender& render, const char* name, int order) {
    const measure::Span before = orders(render, order - 1, order - 1), at = orders(render, order, order);
    const double centroidBefore = measure::spectrum(render, before).centroidHz();
    std::cout << "- " << name << " at order " << order << ": RMS "
              << fixed(measure::rmsDb(render, at) - measure::rmsDb(render, before), 1)
              << " dB over the order before, spectral centroid "
              << fixed(100.0 * (measure::spectrum(render, at).centroidHz() / centroidBefore - 1.0), 0) << " %\n";
}

void printSummary(const ModuleRender& render, const std::vector<std::uint8_t>& bytes) {
    const measure::Span main = orders(render, mainFirst, mainLast);
    const measure::Repeats repeats = measure::repeatedBars(bytes, 16);
    const std::size_t lastSecond = render.frames() > ModuleRender::rate ? render.frames() - ModuleRender::rate : 0;
    std::cout << "\n- Length " << fixed(double(render.frames()) / ModuleRender::rate, 1) << " s, file "
              << bytes.size() << " bytes, peak " << fixed(measure::peakDb(render, {0, render.frames()}), 1)
              << " dBFS\n- Main part: L/R correlation " << fixed(measure::correlation(render, main), 2)
              << ", the mono fold loses " << fixed(measure::monoFoldLossDb(render, main), 2) << " dB\n"
              << "- Bars exactly repeating an earlier bar: " << repeats.repeated << " of " << repeats.bars << " ("
              << fixed(100.0 * repeats.repeated / repeats.bars, 0) << " %)\n";
    printChange(render, "Lift", static_cast<int>(cues::cubeStarOverlay.first));
    printChange(render, "Finale entry", 34);
    std::cout << "- Last second: peak " << fixed(measure::peakDb(render, {lastSecond, render.frames()}), 1)
              << " dBFS\n";
}

void printAccents(const ModuleRender& render) {
    std::cout << "\n| Accent (order:row) | 60 ms after over 60 ms before | over the order's plain downbeats "
                 "| 60 ms before against a bar earlier |\n|---|---|---|---|\n";
    for (const ModuleRender::Position& at : measure::accentPositions()) {
        const measure::Accent a = measure::accent(render, at);
        std::cout << "| " << at.first << ":" << at.second << " | " << fixed(a.riseDb, 1) << " dB | "
                  << fixed(a.overDownbeatsDb, 1) << " dB | " << fixed(a.beforeAgainstBarBeforeDb, 1) << " dB |\n";
    }
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine line(
        argc, argv, "measure_soundtrack",
        "Usage: measure_soundtrack MODULE\n"
        "Plays the module through libopenmpt (44.1 kHz stereo, once) and prints its\n"
        "section table, instrument groups alone, width, repeats and accents as Markdown.\n",
        {}, 1, 1);
    try {
        const std::vector<std::uint8_t> bytes = readModuleFile(line.operands()[0]);
        const ModuleRender render(bytes);
        printSections(render);
        printGroups(bytes);
        printSummary(render, bytes);
        printAccents(render);
    } catch (const std::exception& error) {
        std::cerr << "measure_soundtrack: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
