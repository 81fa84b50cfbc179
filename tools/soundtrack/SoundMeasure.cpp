// SoundMeasure: plain sums over the rendered frames. The spectrum comes from
// a bank of third-octave band-pass filters (one biquad a band), the way a
// sound level meter splits it, so no transform library is needed.
#include "tools/soundtrack/SoundMeasure.h"

#include "demo/Cues.h"
#include "tools/soundtrack/Loudness.h"

#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>
#include <stdexcept>

namespace measure {
namespace {

constexpr double pi = 3.141592653589793;
constexpr double silenceDb = -200.0;

double toDb(double power) { return power > 0.0 ? 10.0 * std::log10(power) : silenceDb; }

Span clamped(const ModuleRender& render, Span span) {
    return {std::min(span.from, render.frames()), std::min(span.to, render.frames())};
}

// Constant-peak band-pass (a biquad of the usual cookbook form).
class BandPass {
public:
    BandPass(double centreHz, double q) {
        const double w = 2.0 * pi * centreHz / ModuleRender::rate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double a0 = 1.0 + alpha;
        b0 = alpha / a0;
        a1 = -2.0 * std::cos(w) / a0;
        a2 = (1.0 - alpha) / a0;
    }
    double operator()(double x) {
        const double y = b0 * (x - x2) - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

private:
    double b0 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

}  // namespace

double energy(const ModuleRender& render, Span span) {
    span = clamped(render, span);
    double sum = 0.0;
    for (std::size_t i = span.from; i < span.to; ++i) {
        sum += double(render.left[i]) * render.left[i] + double(render.right[i]) * render.right[i];
    }
    return sum;
}

double rmsDb(const ModuleRender& render, Span span) {
    span = clamped(render, span);
    if (span.to <= span.from) return silenceDb;
    return toDb(energy(render, span) / (2.0 * static_cast<double>(span.to - span.from)));
}

double peakDb(const ModuleRender& render, Span span) {
    span = clamped(render, span);
    float peak = 0.0f;
    for (std::size_t i = span.from; i < span.to; ++i) {
        peak = std::max({peak, std::fabs(render.left[i]), std::fabs(render.right[i])});
    }
    return toDb(double(peak) * peak);
}

double correlation(const ModuleRender& render, Span span) {
    span = clamped(render, span);
    double lr = 0.0, ll = 0.0, rr = 0.0;
    for (std::size_t i = span.from; i < span.to; ++i) {
        lr += double(render.left[i]) * render.right[i];
        ll += double(render.left[i]) * render.left[i];
        rr += double(render.right[i]) * render.right[i];
    }
    return ll > 0.0 && rr > 0.0 ? lr / std::sqrt(ll * rr) : 1.0;
}

double monoFoldLossDb(const ModuleRender& render, Span span) {
    span = clamped(render, span);
    double mono = 0.0;
    for (std::size_t i = span.from; i < span.to; ++i) {
        const double m = 0.5 * (double(render.left[i]) + render.right[i]);
        mono += m * m;
    }
    const double stereo = energy(render, span) / 2.0;
    return stereo > 0.0 ? toDb(stereo) - toDb(mono) : 0.0;
}

double Spectrum::centre(int band) { return 1000.0 * std::pow(2.0, (band - 16) / 3.0); }

double Spectrum::centroidHz() const {
    double weighted = 0.0, total = 0.0;
    for (int band = 0; band < bandCount; ++band) {
        weighted += centre(band) * energy[static_cast<std::size_t>(band)];
        total += energy[static_cast<std::size_t>(band)];
    }
    return total > 0.0 ? weighted / total : 0.0;
}

double Spectrum::share(double fromHz, double toHz) const {
    double inside = 0.0, total = 0.0;
    for (int band = 0; band < bandCount; ++band) {
        const double e = energy[static_cast<std::size_t>(band)];
        total += e;
        if (centre(band) >= fromHz && centre(band) < toHz) inside += e;
    }
    return total > 0.0 ? inside / total : 0.0;
}

double Spectrum::rolloffHz(double portion) const {
    double total = 0.0;
    for (double e : energy) total += e;
    double below = 0.0;
    for (int band = 0; band < bandCount; ++band) {
        below += energy[static_cast<std::size_t>(band)];
        if (below >= portion * total) return centre(band);
    }
    return centre(bandCount - 1);
}

Spectrum spectrum(const ModuleRender& render, Span span) {
    span = clamped(render, span);
    // A third of an octave between the -3 dB points.
    const double q = 1.0 / (std::pow(2.0, 1.0 / 6.0) - std::pow(2.0, -1.0 / 6.0));
    Spectrum result;
    for (int band = 0; band < Spectrum::bandCount; ++band) {
        BandPass left(Spectrum::centre(band), q), right(Spectrum::centre(band), q);
        double sum = 0.0;
        for (std::size_t i = span.from; i < span.to; ++i) {
            const double l = left(render.left[i]), r = right(render.right[i]);
            sum += l * l + r * r;
        }
        result.energy[static_cast<std::size_t>(band)] = sum;
    }
    return result;
}

Repeats repeatedBars(const std::vector<std::uint8_t>& moduleBytes, int barRows) {
    std::ostringstream log;
    openmpt::module module(moduleBytes, log);
    std::set<std::string> seen;
    Repeats repeats;
    for (int order = 0; order < module.get_num_orders(); ++order) {
        const int pattern = module.get_order_pattern(order);
        const int rows = module.get_pattern_num_rows(pattern);
        for (int bar = 0; bar + barRows <= rows; bar += barRows) {
            std::string cells;
            for (int row = bar; row < bar + barRows; ++row) {
                for (int channel = 0; channel < module.get_num_channels(); ++channel) {
                    cells += module.format_pattern_row_channel(pattern, row, channel) + '|';
                }
            }
            ++repeats.bars;
            if (!seen.insert(cells).second) ++repeats.repeated;
        }
    }
    return repeats;
}

std::vector<ModuleRender::Position> accentPositions() {
    std::vector<ModuleRender::Position> positions;
    for (cues::Position event : cues::rowEvents()) {
        positions.emplace_back(static_cast<int>(event.order), static_cast<int>(event.row));
    }
    positions.emplace_back(static_cast<int>(cues::demoEnd.order), 0);
    return positions;
}

Accent accent(const ModuleRender& render, ModuleRender::Position at) {
    constexpr std::size_t window = ModuleRender::rate * 60 / 1000;
    constexpr int barRows = 16;
    constexpr int ringRows = 3;
    auto after = [&](ModuleRender::Position p) {
        const std::size_t start = render.frameOf(p);
        return energy(render, {start, start + window});
    };
    auto before = [&](ModuleRender::Position p) {
        const std::size_t start = render.frameOf(p);
        return energy(render, {start >= window ? start - window : 0, start});
    };
    const int rowsBefore = at.first * 64 + at.second - barRows;
    const ModuleRender::Position barBefore{rowsBefore / 64, rowsBefore % 64};
    const std::vector<ModuleRender::Position> accents = accentPositions();
    double loudestDownbeat = 0.0;
    for (int row = 0; render.played({at.first, row}); row += barRows) {
        // A downbeat on an accent, or in the first rows of an accent's ring, is no plain one.
        const bool ringing = std::any_of(accents.begin(), accents.end(), [&](const ModuleRender::Position& a) {
            return a.first == at.first && row >= a.second && row <= a.second + ringRows;
        });
        if (!ringing) loudestDownbeat = std::max(loudestDownbeat, after({at.first, row}));
    }
    const double hit = after(at);
    return {at, toDb(hit) - toDb(before(at)), toDb(hit) - toDb(loudestDownbeat),
            toDb(before(at)) - toDb(before(barBefore)), hit};
}

std::vector<CueRise> cueRises(const ModuleRender& render, const std::vector<ModuleRender::Position>& rows) {
    constexpr std::size_t window = ModuleRender::rate * 400 / 1000;
    std::vector<std::size_t> ends;
    for (const ModuleRender::Position& at : rows) {
        ends.push_back(render.frameOf(at));
        ends.push_back(render.frameOf(at) + window);
    }
    std::vector<std::size_t> sorted = ends;
    std::sort(sorted.begin(), sorted.end());
    const std::vector<double> readings = Loudness::momentaryEndingAt(render, sorted);
    auto reading = [&](std::size_t frame) {
        const auto at = std::lower_bound(sorted.begin(), sorted.end(), frame);
        return readings[static_cast<std::size_t>(at - sorted.begin())];
    };
    std::vector<CueRise> rises;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rises.push_back({rows[i], reading(ends[2 * i]), reading(ends[2 * i + 1])});
    }
    return rises;
}

namespace {

// Energy of each 5 ms block of a render.
std::vector<double> blockEnergies(const ModuleRender& render) {
    constexpr std::size_t block = ModuleRender::rate / 200;
    std::vector<double> blocks;
    for (std::size_t from = 0; from + block <= render.frames(); from += block) {
        blocks.push_back(energy(render, {from, from + block}));
    }
    return blocks;
}

// The level of one frequency over a window (Goertzel, Hann-weighted), as energy.
double toneEnergy(const std::vector<float>& wave, Span span, double hz) {
    const double w = 2.0 * pi * hz / ModuleRender::rate;
    double s1 = 0.0, s2 = 0.0;
    const double n = static_cast<double>(span.to - span.from);
    for (std::size_t i = span.from; i < span.to; ++i) {
        const double hann = 0.5 - 0.5 * std::cos(2.0 * pi * static_cast<double>(i - span.from) / n);
        const double s = hann * wave[i] + 2.0 * std::cos(w) * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    return s1 * s1 + s2 * s2 - 2.0 * std::cos(w) * s1 * s2;
}

}  // namespace

double tailMs(const ModuleRender& probe, double belowDb) {
    const std::vector<double> blocks = blockEnergies(probe);
    if (blocks.empty()) return 0.0;
    const auto loudest = std::max_element(blocks.begin(), blocks.end());
    const double floor = *loudest * std::pow(10.0, -belowDb / 10.0);
    std::size_t last = static_cast<std::size_t>(loudest - blocks.begin());
    for (std::size_t i = last; i < blocks.size(); ++i) {
        if (blocks[i] >= floor) last = i;
    }
    return 5.0 * static_cast<double>(last - static_cast<std::size_t>(loudest - blocks.begin()) + 1);
}

double harmonicDb(const ModuleRender& probe, double fundamentalHz, int harmonic) {
    const Span steady = clamped(probe, {ModuleRender::rate * 150 / 1000, ModuleRender::rate * 650 / 1000});
    // The sample's pitch may sit a few cents off: the strongest of a few close looks.
    auto strongest = [&](double hz) {
        double best = 0.0;
        for (int cents = -12; cents <= 12; cents += 2) {
            best = std::max(best, toneEnergy(probe.left, steady, hz * std::pow(2.0, cents / 1200.0)));
        }
        return best;
    };
    return toDb(strongest(fundamentalHz * harmonic)) - toDb(strongest(fundamentalHz));
}

double levelOnRowsDb(const ModuleRender& part, const std::vector<ModuleRender::Position>& rows, int first, int last) {
    double on = 0.0, off = 0.0;
    std::size_t onFrames = 0, offFrames = 0;
    for (int order = first; order <= last; ++order) {
        for (int row = 0; part.played({order, row}); ++row) {
            const std::size_t from = part.frameOf({order, row});
            const std::size_t to = part.played({order, row + 1}) ? part.frameOf({order, row + 1})
                                   : part.played({order + 1, 0}) ? part.frameOf({order + 1, 0}) : part.frames();
            const double e = energy(part, {from, to});
            if (std::find(rows.begin(), rows.end(), ModuleRender::Position{order, row}) != rows.end()) {
                on += e;
                onFrames += to - from;
            } else if (e > 1e-9 * static_cast<double>(to - from)) {  // a sounding row: over -90 dBFS
                off += e;
                offFrames += to - from;
            }
        }
    }
    if (onFrames == 0 || offFrames == 0 || on <= 0.0 || off <= 0.0) return 0.0;
    return toDb(on / static_cast<double>(onFrames)) - toDb(off / static_cast<double>(offFrames));
}

const std::vector<InstrumentGroup>& instrumentGroups() {
    static const std::vector<InstrumentGroup> groups = {
        {"kick", {"kick"}},
        {"snare/clap", {"snare", "snare wide", "clap", "clap wide"}},
        {"toms", {"tom"}},
        {"hats", {"closed hat", "open hat"}},
        {"bass", {"bass", "bass held"}},
        {"pads", {"pad", "bright pad", "pad left", "pad right"}},
        {"arpeggio", {"pluck"}},
        {"bells", {"bell"}},
        {"lead", {"lead", "lead chorus"}},
        {"stabs", {"stab"}},
        {"impacts", {"impact", "crash", "riser"}},
    };
    return groups;
}

const InstrumentGroup& instrumentGroup(const std::string& name) {
    for (const InstrumentGroup& group : instrumentGroups()) {
        if (group.name == name) return group;
    }
    throw std::out_of_range("no instrument group " + name);
}

}  // namespace measure
