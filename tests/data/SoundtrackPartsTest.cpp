// The soundtrack's parts before they become a file: the synthesised samples
// loop without clicks and sound C-5 at middle C, the written notes stay in the
// key, and each layer of the storyboard enters on its order.
#ifdef VELMORA_HAVE_SOUNDTRACK

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <string>

#include "demo/Cues.h"
#include "tools/soundtrack/Melody.h"
#include "tools/soundtrack/Soundtrack.h"

namespace {

const ItModule& soundtrack() {
    static const ItModule module = Soundtrack::module();
    return module;
}

const ItSample& sampleNamed(const std::string& name) {
    for (const ItSample& sample : soundtrack().samples) {
        if (sample.name == name) return sample;
    }
    throw std::runtime_error("no sample named " + name);
}

int sampleNumber(const std::string& name) {
    const auto& samples = soundtrack().samples;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (samples[i].name == name) return static_cast<int>(i) + 1;
    }
    return -1;
}

// The strongest repeat period (in frames, with a parabolic refinement) of
// `frames` frames from `from`, looked for between `shortest` and `longest`.
double period(const std::vector<std::int16_t>& data, std::size_t from, std::size_t frames, int shortest,
              int longest) {
    std::vector<double> score(static_cast<std::size_t>(longest) + 2, 0.0);
    for (int lag = shortest - 1; lag <= longest + 1; ++lag) {
        double sum = 0.0, a2 = 0.0, b2 = 0.0;
        for (std::size_t i = from; i < from + frames; ++i) {
            const double a = data[i], b = data[i + static_cast<std::size_t>(lag)];
            sum += a * b;
            a2 += a * a;
            b2 += b * b;
        }
        score[static_cast<std::size_t>(lag)] = sum / std::sqrt(a2 * b2 + 1e-9);
    }
    int best = shortest;
    for (int lag = shortest; lag <= longest; ++lag) {
        if (score[static_cast<std::size_t>(lag)] > score[static_cast<std::size_t>(best)]) best = lag;
    }
    const double l = score[static_cast<std::size_t>(best - 1)], c = score[static_cast<std::size_t>(best)],
                 r = score[static_cast<std::size_t>(best + 1)];
    const double denominator = l - 2.0 * c + r;
    return best + (denominator != 0.0 ? 0.5 * (l - r) / denominator : 0.0);
}

int pitchClass(int note) { return note % 12; }

}  // namespace

TEST(SoundtrackSamples, LoopedSamplesWrapWithoutAStepLargerThanTheWaveMakesItself) {
    int looped = 0;
    for (const ItSample& sample : soundtrack().samples) {
        if (!sample.loop) continue;
        SCOPED_TRACE(sample.name);
        ++looped;
        ASSERT_LT(sample.loopStart, sample.loopEnd);
        ASSERT_LE(sample.loopEnd, sample.data.size());
        int largestStep = 0;
        for (std::uint32_t i = sample.loopStart + 1; i < sample.loopEnd; ++i) {
            largestStep = std::max(largestStep, std::abs(sample.data[i] - sample.data[i - 1]));
        }
        const int wrapStep = std::abs(sample.data[sample.loopStart] - sample.data[sample.loopEnd - 1]);
        EXPECT_LE(wrapStep, largestStep);
        // The sound just before the loop leads into it as smoothly as the loop does.
        if (sample.loopStart > 0) {
            EXPECT_LE(std::abs(sample.data[sample.loopStart] - sample.data[sample.loopStart - 1]), largestStep);
        }
    }
    EXPECT_GE(looped, 6);  // bass, three pads, two leads
}

TEST(SoundtrackSamples, PitchedSamplesSoundMiddleCAtC5) {
    const double middleC = 261.6256;
    for (const char* name : {"bass", "pad left", "pad right", "bright pad", "lead", "lead chorus", "pluck", "bell", "stab"}) {
        SCOPED_TRACE(name);
        const ItSample& sample = sampleNamed(name);
        const double rate = sample.c5Speed;
        // A looped sample is heard as its loop going round; a one-shot from its start.
        std::vector<std::int16_t> heardData;
        if (sample.loop) {
            while (heardData.size() < 16384) {
                heardData.insert(heardData.end(), sample.data.begin() + sample.loopStart,
                                 sample.data.begin() + sample.loopEnd);
            }
        } else {
            heardData = sample.data;
        }
        const std::size_t from = sample.loop ? 0 : 2000;
        const int shortest = static_cast<int>(rate / 400.0), longest = static_cast<int>(rate / 150.0);
        ASSERT_GT(heardData.size(), from + 4096 + static_cast<std::size_t>(longest) + 2);
        const double heard = rate / period(heardData, from, 4096, shortest, longest);
        EXPECT_NEAR(heard, middleC, middleC * 0.01);
    }
    // The chorus copy is a few cents sharp of the lead, not the same.
    EXPECT_GT(sampleNamed("lead chorus").c5Speed, sampleNamed("lead").c5Speed);
    EXPECT_LT(sampleNamed("lead chorus").c5Speed, sampleNamed("lead").c5Speed * 1.01);
}

TEST(SoundtrackMelody, ChordsAndLeadNotesStayInAMinorSaveTheRaisedThirdsOfMajorChords) {
    const std::set<int> aMinor = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    for (int order = 0; order < Melody::orderCount; ++order) {
        SCOPED_TRACE("order " + std::to_string(order));
        const auto chords = Melody::chordsOf(order);
        for (const Melody::Chord& chord : chords) {
            std::set<int> classes;
            for (int note : chord.voicing) classes.insert(pitchClass(note));
            EXPECT_TRUE(classes.count(pitchClass(chord.bass))) << "bass " << chord.bass << " not in its chord";
            // A note from outside the key is the major third over the bass (G# in E, F# in D, C# in A).
            for (int note : chord.voicing) {
                EXPECT_TRUE(aMinor.count(pitchClass(note)) || pitchClass(note - chord.bass) == 4) << note;
            }
        }
        for (int version = 0; version < 3; ++version) {
            for (const Melody::Note& note : Melody::notesOf(Melody::phraseOf(order), Melody::Version(version))) {
                const Melody::Chord& under = chords[static_cast<std::size_t>(note.row / Melody::barRows)];
                const bool colour = std::any_of(under.voicing.begin(), under.voicing.end(),
                                                [&](int tone) { return pitchClass(tone) == pitchClass(note.note); });
                EXPECT_TRUE(aMinor.count(pitchClass(note.note)) || colour)
                    << "note " << note.note << " at row " << note.row << ", version " << version;
            }
        }
    }
    EXPECT_THROW(Melody::chordsOf(Melody::orderCount), std::out_of_range);
}

TEST(SoundtrackMelody, EveryVersionOfEveryPhraseFitsItsOrderWithoutOverlappingNotes) {
    for (int phrase = 0; phrase < Melody::phraseCount; ++phrase) {
        std::set<std::size_t> sizes;
        for (int version = 0; version < 3; ++version) {
            SCOPED_TRACE("phrase " + std::to_string(phrase) + " version " + std::to_string(version));
            const auto notes = Melody::notesOf(Melody::Phrase(phrase), Melody::Version(version));
            ASSERT_FALSE(notes.empty());
            sizes.insert(notes.size());
            int end = 0;
            for (const Melody::Note& note : notes) {
                EXPECT_GE(note.row, end) << "overlaps the note before";
                EXPECT_GT(note.length, 0);
                end = note.row + note.length;
            }
            EXPECT_LE(end, 64);
        }
        EXPECT_EQ(sizes.size(), 3u) << "the three versions should differ";
    }
}

TEST(SoundtrackArrangement, EachLayerEntersWithItsPictureCue) {
    std::map<int, int> firstOrder;  // sample number -> first order it sounds in
    const ItModule& module = soundtrack();
    ASSERT_EQ(module.orders.size(), 39u);
    for (std::size_t order = 0; order < module.orders.size(); ++order) {
        const ItPattern& pattern = module.patterns[static_cast<std::size_t>(module.orders[order])];
        for (int row = 0; row < pattern.rows(); ++row) {
            for (int channel = 0; channel < ItPattern::channelCount; ++channel) {
                const ItCell& cell = pattern.cell(row, channel);
                if (cell.note >= 0 && cell.note < 120 && cell.instrument > 0) {
                    firstOrder.emplace(cell.instrument, static_cast<int>(order));
                }
            }
        }
    }
    const struct {
        const char* sample;
        unsigned order;
    } entries[] = {
        {"pad left", cues::intro.first},
        {"pluck", cues::introSpin},
        {"closed hat", cues::intro.last},
        {"kick", cues::pulsingSphere.first},
        {"bass", cues::pulsingSphere.first},
        {"crash", cues::pulsingSphere.first},
        {"stab", cues::pulsingSphereBeatOrders.first},
        {"impact", cues::pulsingSphereBeatOrders.first},
        {"lead", cues::torusWobble},
        {"bell", cues::torusSpin},
        {"bright pad", cues::cubeStarOverlay.first},
        {"open hat", cues::cubeStarOverlay.first},
    };
    for (const auto& entry : entries) {
        SCOPED_TRACE(entry.sample);
        EXPECT_EQ(firstOrder[sampleNumber(entry.sample)], static_cast<int>(entry.order));
    }
}

TEST(SoundtrackArrangement, IntroPadFadesInFromSilence) {
    const ItPattern& first = soundtrack().patterns[static_cast<std::size_t>(soundtrack().orders[0])];
    int padChannel = -1;
    for (int channel = 0; channel < ItPattern::channelCount && padChannel < 0; ++channel) {
        if (first.cell(0, channel).instrument == sampleNumber("pad left")) padChannel = channel;
    }
    ASSERT_GE(padChannel, 0);
    EXPECT_EQ(first.cell(0, padChannel).volume, 0);
    // Rises row by row, never falling back, to full level by about 3.5 s.
    int previous = 0, row = 1;
    for (; row < 40 && first.cell(row, padChannel).volume != ItCell::noVolume; ++row) {
        EXPECT_GE(first.cell(row, padChannel).volume, previous);
        previous = first.cell(row, padChannel).volume;
    }
    EXPECT_GT(previous, 24);
    EXPECT_NEAR(row * 2.5 * 6 / 130, 3.5, 0.3);
}

#endif
