// Loudness: a BS.1770 meter (EBU R 128's libebur128) over a render - K-weighted
// momentary (400 ms), short-term (3 s) and gated integrated loudness, and the
// true peak found by 4x oversampling - the way a mastering engineer reads a mix.
#pragma once

#include "tools/soundtrack/SoundMeasure.h"

#include <ebur128.h>

#include <cstddef>
#include <vector>

class Loudness {
public:
    // The true peak costs a 4x oversampling of everything fed: asked for only when wanted.
    enum class Peak { notRead, read };
    explicit Loudness(Peak peak = Peak::read);
    ~Loudness();
    Loudness(const Loudness&) = delete;
    Loudness& operator=(const Loudness&) = delete;

    // Feeds the frames of `span`; spans fed one after another are one programme.
    void add(const ModuleRender& render, measure::Span span);
    // LUFS (LU for differences); silence reads -200.
    double integrated() const;
    double momentary() const;  // the last 400 ms fed
    double shortTerm() const;  // the last 3 s fed
    double truePeakDb() const; // dBTP over everything fed (Peak::read only)

    static double integratedOf(const ModuleRender& render, measure::Span span);
    static double truePeakOf(const ModuleRender& render, measure::Span span);
    // The momentary loudness of the 400 ms that end at each frame (ascending).
    static std::vector<double> momentaryEndingAt(const ModuleRender& render, const std::vector<std::size_t>& frames);
    // The loudest short-term (3 s) reading inside `span`, read every 100 ms.
    static double loudestShortTermOf(const ModuleRender& render, measure::Span span);

private:
    double reading(int (*query)(ebur128_state*, double*), const char* what) const;

    ebur128_state* state;
    std::size_t fed = 0;
};
