// measure_soundtrack: plays a module through libopenmpt and prints, as
// Markdown, the figures docs/soundtrack.md keeps: the mix's figures (against
// an earlier module's when one is given), a section-by-section table, each
// instrument group alone, width, repeats and accents.
// Usage: measure_soundtrack <module> [<earlier module>]
#include "demo/Cues.h"
#include "tools/commandline/CommandLine.h"
#include "tools/soundtrack/Loudness.h"
#include "tools/soundtrack/MixFigures.h"
#include "tools/soundtrack/ModuleRender.h"
#include "tools/soundtrack/ModuleScore.h"
#include "tools/soundtrack/SoundMeasure.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

namespace {

constexpr int mainFirst = static_cast<int>(cues::torus.first);
constexpr int finaleLast = static_cast<int>(cues::demoEnd.order) - 1;

std::string fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string signedFixed(double value, int decimals) { return (value >= 0.0 ? "+" : "") + fixed(value, decimals); }

// A level that was never read (a stretch shorter than the meter's window, no
// downbeat to compare with) prints as a dash.
std::string level(double value, int decimals) { return std::fabs(value) > 150.0 ? "-" : fixed(value, decimals); }

measure::Span orders(const ModuleRender& render, int first, int last) {
    const auto span = render.ordersSpan(first, last);
    return {span.first, span.second};
}

// One row of the mix table: what is measured, each module's reading, what is wanted.
struct FigureRow {
    const char* what;
    std::function<std::string(const MixFigures&)> reading;
    const char* wanted;
};

std::string cueList(const MixFigures& f) {
    std::ostringstream out;
    double lowest = 1e9;
    for (const measure::CueRise& cue : f.cues) lowest = std::min(lowest, cue.riseLu());
    out << "lowest " << signedFixed(lowest, 1) << " LU;";
    for (const measure::CueRise& cue : f.cues) {
        if (cue.at.first >= 10) out << " " << cue.at.first << ":" << cue.at.second << " " << signedFixed(cue.riseLu(), 1);
    }
    return out.str();
}

std::string crashList(const MixFigures& f) {
    std::ostringstream out;
    for (const MixFigures::Crash& crash : f.crashes) {
        out << (&crash == &f.crashes.front() ? "" : ", ") << crash.order << ": "
            << signedFixed(crash.crashLufs - crash.mixLufs, 1);
    }
    return out.str() + " LU against the mix";
}

std::string sharedLines(const MixFigures& f) {
    if (f.ordersSharingALeadLine.empty()) return "no two orders share a line";
    std::ostringstream out;
    out << "orders sharing a line:";
    for (const auto& [a, b] : f.ordersSharingALeadLine) out << " " << a << "=" << b;
    return out.str();
}

const FigureRow figureRows[] = {
    {"Integrated loudness, 0:0 to 38:3; true peak (4x)",
     [](const MixFigures& f) { return fixed(f.integratedLufs, 1) + " LUFS; " + fixed(f.truePeakDb, 1) + " dBTP"; },
     "-16 to -13 LUFS; <= -1 dBTP"},
    {"Orders 22-29: lead, mix, pads, snare+clap (LUFS)",
     [](const MixFigures& f) {
         return fixed(f.overlayLead, 1) + ", " + fixed(f.overlayMix, 1) + ", " + fixed(f.overlayPads, 1) + ", " +
                fixed(f.overlaySnareClap, 1);
     },
     "lead >= snare+clap - 3 and >= pads + 2"},
    {"Lead's 10th harmonic (A 440 alone)", [](const MixFigures& f) { return fixed(f.leadTenthHarmonicDb, 1) + " dB"; },
     "bright enough to carry a melody"},
    {"Orders 14-37: kick against snare+clap (LUFS)",
     [](const MixFigures& f) { return fixed(f.kick, 1) + " vs " + fixed(f.snareClap, 1); }, "kick >= snare+clap - 4"},
    {"Snare alone: from its loudest to -20 dB",
     [](const MixFigures& f) { return fixed(f.snareTailMs, 0) + " ms"; }, "shorter"},
    {"Snare+clap: 90 % of the energy below",
     [](const MixFigures& f) { return fixed(f.snareClapRolloffHz, 0) + " Hz"; }, "less hiss"},
    {"Hats against snare+clap", [](const MixFigures& f) { return signedFixed(f.hats - f.snareClap, 1) + " LU"; },
     "audible"},
    {"Bass on kick rows against its other rows",
     [](const MixFigures& f) { return signedFixed(f.bassOnKickRowsDb, 1) + " dB"; }, "ducks or steps aside"},
    {"Finale (34-37) against main (14-29)",
     [](const MixFigures& f) {
         return fixed(f.finale, 1) + " vs " + fixed(f.main, 1) + " LUFS (" + signedFixed(f.finale - f.main, 1) + ")";
     },
     ">= +1.5 LU"},
    {"Brightest (centroid) and densest (notes/s) section",
     [](const MixFigures& f) { return f.brightestSection + "; " + f.densestSection; }, "the finale"},
    {"Tunnel opening (14-16) against the sphere's beats (6-9)",
     [](const MixFigures& f) {
         return fixed(f.tunnelOpening, 1) + " vs " + fixed(f.sphereBeats, 1) + " LUFS (" +
                signedFixed(f.tunnelOpening - f.sphereBeats, 1) + ")";
     },
     "no drop over 0.5 LU"},
    {"Cue rows: momentary from the row against the 400 ms before", cueList, "every cue >= +4 LU"},
    {"Crashes opening the parts (momentary, 400 ms)", crashList, "audible"},
    {"Lead lines", sharedLines, "no two orders share one"},
    {"Last 50 ms before 38:3: RMS; peak",
     [](const MixFigures& f) { return fixed(f.endRmsDb, 1) + " dBFS; " + fixed(f.endPeakDb, 1) + " dBFS"; },
     "<= -40 dBFS RMS, no click"},
};

void printFigures(const MixFigures& after, const std::optional<MixFigures>& before) {
    std::cout << "| What |" << (before ? " Before |" : "") << " Now | Wanted |\n|---|" << (before ? "---|" : "")
              << "---|---|\n";
    for (const FigureRow& row : figureRows) {
        std::cout << "| " << row.what << " | " << (before ? row.reading(*before) + " | " : "") << row.reading(after)
                  << " | " << row.wanted << " |\n";
    }
}

void printSections(const ModuleRender& render, const ModuleScore& score) {
    std::cout << "\n| Section | Orders | LUFS | Loudest 400 ms | Loudest 3 s | True peak dBTP | <160 Hz | 160-630 | "
                 "630-2.5k | 2.5k-8k | >8k | L/R correlation | Centroid Hz | Notes/s |\n"
                 "|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n";
    for (const MixSection& section : mixSections()) {
        const measure::Span span = orders(render, section.first, section.last);
        const measure::Spectrum spectrum = measure::spectrum(render, span);
        std::vector<std::size_t> ends;
        // Read every 100 ms, each reading the 400 ms before it.
        for (std::size_t frame = span.from + ModuleRender::rate * 4 / 10; frame <= span.to; frame += ModuleRender::rate / 10) {
            ends.push_back(frame);
        }
        double loudestMomentary = -200.0;
        for (double reading : Loudness::momentaryEndingAt(render, ends)) {
            loudestMomentary = std::max(loudestMomentary, reading);
        }
        std::cout << "| " << section.name << " | " << section.first << "-" << section.last << " | "
                  << fixed(Loudness::integratedOf(render, span), 1) << " | " << fixed(loudestMomentary, 1) << " | "
                  << level(Loudness::loudestShortTermOf(render, span), 1) << " | "
                  << fixed(Loudness::truePeakOf(render, span), 1);
        const double edges[] = {0, 160, 630, 2500, 8000, 1e9};
        for (int band = 0; band < 5; ++band) {
            std::cout << " | " << fixed(100.0 * spectrum.share(edges[band], edges[band + 1]), 0) << " %";
        }
        const double seconds = static_cast<double>(span.to - span.from) / ModuleRender::rate;
        std::cout << " | " << fixed(measure::correlation(render, span), 2) << " | " << fixed(spectrum.centroidHz(), 0)
                  << " | " << fixed(score.notesIn(section.first, section.last) / seconds, 1) << " |\n";
    }
    std::cout << "\nIntegrated loudness by order (LUFS):";
    for (int order = 0; render.played({order, 0}); ++order) {
        std::cout << (order % 10 == 0 ? "\n" : " ") << order << ": "
                  << fixed(Loudness::integratedOf(render, orders(render, order, order)), 1);
    }
    std::cout << "\n";
}

void printGroups(const std::vector<std::uint8_t>& bytes, const ModuleRender& render) {
    const double mix = Loudness::integratedOf(render, orders(render, mainFirst, finaleLast));
    std::cout << "\n| Alone, orders " << mainFirst << "-" << finaleLast
              << " | LUFS | against the mix |\n|---|---|---|\n";
    for (const measure::InstrumentGroup& group : measure::instrumentGroups()) {
        const ModuleRender alone(bytes, {group.instruments, mainFirst, finaleLast + 1});
        const double lufs = Loudness::integratedOf(alone, {0, alone.frames()});
        if (lufs < -150.0) {
            std::cout << "| " << group.name << " | silent | |\n";  // the module has no such instrument
        } else {
            std::cout << "| " << group.name << " | " << fixed(lufs, 1) << " | " << signedFixed(lufs - mix, 1) << " LU |\n";
        }
    }
}

void printSummary(const ModuleRender& render, const std::vector<std::uint8_t>& bytes) {
    const measure::Span main = orders(render, mainFirst, static_cast<int>(cues::torus.last));
    const measure::Repeats repeats = measure::repeatedBars(bytes, 16);
    std::cout << "\n- Length " << fixed(double(render.frames()) / ModuleRender::rate, 1) << " s, file "
              << bytes.size() << " bytes, sample peak " << fixed(measure::peakDb(render, {0, render.frames()}), 1)
              << " dBFS\n- Main part: L/R correlation " << fixed(measure::correlation(render, main), 2)
              << ", the mono fold loses " << fixed(measure::monoFoldLossDb(render, main), 2) << " dB\n"
              << "- Bars exactly repeating an earlier bar: " << repeats.repeated << " of " << repeats.bars << " ("
              << fixed(100.0 * repeats.repeated / repeats.bars, 0) << " %)\n";
}

void printAccents(const ModuleRender& render) {
    std::cout << "\n| Accent (order:row) | 60 ms after over 60 ms before | over the order's plain downbeats "
                 "| 60 ms before against a bar earlier |\n|---|---|---|---|\n";
    for (const ModuleRender::Position& at : measure::accentPositions()) {
        const measure::Accent a = measure::accent(render, at);
        std::cout << "| " << at.first << ":" << at.second << " | " << fixed(a.riseDb, 1) << " dB | "
                  << (level(a.overDownbeatsDb, 1) == "-" ? "-" : level(a.overDownbeatsDb, 1) + " dB") << " | "
                  << fixed(a.beforeAgainstBarBeforeDb, 1) << " dB |\n";
    }
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine line(
        argc, argv, "measure_soundtrack",
        "Usage: measure_soundtrack MODULE [EARLIER_MODULE]\n"
        "Plays the module through libopenmpt (44.1 kHz stereo, once) and prints, as Markdown,\n"
        "its mix figures (beside the earlier module's), section table, instrument groups\n"
        "alone, width, repeats and accents. Loudness is BS.1770 (K-weighted, gated).\n",
        {}, 1, 2);
    try {
        const std::vector<std::uint8_t> bytes = readModuleFile(line.operands()[0]);
        std::optional<MixFigures> before;
        if (line.operands().size() == 2) before = MixFigures::of(readModuleFile(line.operands()[1]));
        printFigures(MixFigures::of(bytes), before);
        const ModuleRender render(bytes);
        printSections(render, ModuleScore(bytes));
        printGroups(bytes, render);
        printSummary(render, bytes);
        printAccents(render);
    } catch (const std::exception& error) {
        std::cerr << "measure_soundtrack: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
