// MixFigures: every stem is a render of the module with all other instruments
// muted, so a figure for an instrument is what a listener would hear of it
// with the rest of the band stopped; loudness is BS.1770 throughout.
#include "tools/soundtrack/MixFigures.h"

#include "demo/Cues.h"
#include "tools/soundtrack/Loudness.h"
#include "tools/soundtrack/ModuleScore.h"

#include <algorithm>

namespace {

constexpr int overlayFirst = static_cast<int>(cues::cubeStarOverlay.first);
constexpr int overlayLast = static_cast<int>(cues::cubeStarOverlay.last);
constexpr int mainFirst = static_cast<int>(cues::torus.first);
constexpr int mainLast = static_cast<int>(cues::torus.last);
constexpr int finaleFirst = 34;
constexpr int finaleLast = static_cast<int>(cues::demoEnd.order) - 1;
constexpr ModuleRender::Position demoEnd{static_cast<int>(cues::demoEnd.order), static_cast<int>(cues::demoEnd.row)};

measure::Span orders(const ModuleRender& render, int first, int last) {
    const auto span = render.ordersSpan(first, last);
    return {span.first, span.second};
}

// A stem: the named group alone over orders first..last.
ModuleRender alone(const std::vector<std::uint8_t>& bytes, const std::string& group, int first, int last) {
    return ModuleRender(bytes, {measure::instrumentGroup(group).instruments, first, last + 1});
}

double stemLufs(const std::vector<std::uint8_t>& bytes, const std::string& group, int first, int last) {
    const ModuleRender stem = alone(bytes, group, first, last);
    return Loudness::integratedOf(stem, {0, stem.frames()});
}

// One note of one instrument from silence: the intro's first order, where
// neither the drums nor the lead play, with everything else muted.
ModuleRender probe(const std::vector<std::uint8_t>& bytes, const std::string& instrument, int note) {
    return ModuleRender(bytes, {{instrument}, 0, 1}, {instrument, note});
}

void findExtremes(const ModuleRender& render, const ModuleScore& score, MixFigures& figures) {
    double brightest = 0.0, densest = 0.0;
    for (const MixSection& section : mixSections()) {
        // The closing hit alone is no section to rank.
        if (section.first == static_cast<int>(cues::demoEnd.order)) continue;
        const measure::Span span = orders(render, section.first, section.last);
        const double centroid = measure::spectrum(render, span).centroidHz();
        const double perSecond = score.notesIn(section.first, section.last) /
                                 (static_cast<double>(span.to - span.from) / ModuleRender::rate);
        if (centroid > brightest) {
            brightest = centroid;
            figures.brightestSection = section.name;
        }
        if (perSecond > densest) {
            densest = perSecond;
            figures.densestSection = section.name;
        }
    }
}

void measureCrashes(const std::vector<std::uint8_t>& bytes, const ModuleRender& render, const ModuleScore& score,
                    MixFigures& figures) {
    std::vector<ModuleRender::Position> openings;
    for (int order = 0; render.played({order, 0}); ++order) {
        if (score.starts(order, 0, {"crash"})) openings.emplace_back(order, 0);
    }
    if (openings.empty()) return;
    const ModuleRender crash(bytes, {{"crash"}, 0, -1});
    const std::vector<measure::CueRise> mix = measure::cueRises(render, openings);
    const std::vector<measure::CueRise> alone = measure::cueRises(crash, openings);
    for (std::size_t i = 0; i < openings.size(); ++i) {
        figures.crashes.push_back({openings[i].first, alone[i].afterLufs, mix[i].afterLufs});
    }
}

}  // namespace

const std::vector<MixSection>& mixSections() {
    static const std::vector<MixSection> sections = {
        {"intro", 0, 3},       {"beat", 4, 5},      {"beat, sphere jolts", 6, 9},
        {"half time", 10, 13}, {"main", 14, 21},    {"main, lift", 22, 29},
        {"finale, breakdown", 30, 33}, {"finale", 34, 37}, {"ending", 38, 38},
    };
    return sections;
}

MixFigures MixFigures::of(const std::vector<std::uint8_t>& bytes) {
    MixFigures figures{};
    const ModuleRender render(bytes);
    const ModuleScore score(bytes);
    const std::size_t end = render.frameOf(demoEnd);
    figures.integratedLufs = Loudness::integratedOf(render, {0, end});
    figures.truePeakDb = Loudness::truePeakOf(render, {0, render.frames()});

    figures.overlayMix = Loudness::integratedOf(render, orders(render, overlayFirst, overlayLast));
    figures.overlayLead = stemLufs(bytes, "lead", overlayFirst, overlayLast);
    figures.overlayPads = stemLufs(bytes, "pads", overlayFirst, overlayLast);
    figures.overlaySnareClap = stemLufs(bytes, "snare/clap", overlayFirst, overlayLast);
    figures.leadTenthHarmonicDb = measure::harmonicDb(probe(bytes, "lead", 69), 440.0, 10);

    figures.kick = stemLufs(bytes, "kick", mainFirst, finaleLast);
    const ModuleRender snareClap = alone(bytes, "snare/clap", mainFirst, finaleLast);
    figures.snareClap = Loudness::integratedOf(snareClap, {0, snareClap.frames()});
    figures.snareClapRolloffHz = measure::spectrum(snareClap, {0, snareClap.frames()}).rolloffHz(0.9);
    figures.hats = stemLufs(bytes, "hats", mainFirst, finaleLast);
    figures.snareTailMs = measure::tailMs(probe(bytes, "snare", 60), 20.0);
    std::vector<ModuleRender::Position> kickRows;
    for (const ModuleScore::Note& note : score.notes()) {
        if (note.instrument == "kick") kickRows.emplace_back(note.order, note.row);
    }
    figures.bassOnKickRowsDb =
        measure::levelOnRowsDb(alone(bytes, "bass", mainFirst, finaleLast), kickRows, mainFirst, finaleLast);

    figures.finale = Loudness::integratedOf(render, orders(render, finaleFirst, finaleLast));
    figures.main = Loudness::integratedOf(render, orders(render, mainFirst, mainLast));
    figures.tunnelOpening = Loudness::integratedOf(render, orders(render, mainFirst, mainFirst + 2));
    figures.sphereBeats = Loudness::integratedOf(
        render, orders(render, static_cast<int>(cues::pulsingSphereBeatOrders.first),
                       static_cast<int>(cues::pulsingSphereBeatOrders.last)));
    findExtremes(render, score, figures);

    std::vector<ModuleRender::Position> cueRows;
    for (cues::Position event : cues::rowEvents()) cueRows.emplace_back(event.order, event.row);
    figures.cues = measure::cueRises(render, cueRows);
    measureCrashes(bytes, render, score, figures);
    figures.ordersSharingALeadLine = score.ordersSharingALine(measure::instrumentGroup("lead").instruments);

    const std::size_t window = ModuleRender::rate / 20;
    figures.endRmsDb = measure::rmsDb(render, {end - window, end});
    figures.endPeakDb = measure::peakDb(render, {end - window, end});
    return figures;
}
