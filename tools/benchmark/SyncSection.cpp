// SyncSection: picture against sound, through the real sound path. The real
// program plays through the private PulseAudio server while the sink is
// recorded; each beat's hit is found in the recording by its match with
// libopenmpt's own rendering, and set against the moment the first frame
// showing it was presented. Quiet, then beside busy loops.
#include "tools/benchmark/Sections.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "demo/Cues.h"
#include "gfx/DataPath.h"
#include "tools/benchmark/FrameStats.h"
#include "tools/benchmark/SongReference.h"
#include "tools/benchmark/SoundAlignment.h"
#include "tools/benchmark/SyncRun.h"

namespace {

constexpr double rate = 44100.0;
constexpr unsigned pastTheEnd = 65535;

struct RunPlan {
    const char* name;
    int busyLoops;
    unsigned stopOrder;  // 0: the whole demo
};

bool atOrAfter(const PresentedLine& frame, cues::Position event) {
    return frame.order > event.order || (frame.order == event.order && frame.row >= event.row);
}

// The stretch whose scene answers an event: a frame past it shows another.
cues::Stretch stretchOf(cues::Position event) {
    for (cues::Stretch stretch : {cues::pulsingSphere, cues::cubeStar, cues::torus, cues::cubeGrid}) {
        if (stretch.contains(event.order)) return stretch;
    }
    return cues::intro;
}

Json spread(const std::vector<double>& milliseconds) {
    std::vector<double> magnitudes;
    for (double value : milliseconds) magnitudes.push_back(std::fabs(value));
    Json result;
    result["count"] = milliseconds.size();
    result["median_ms"] = summarize(milliseconds).median;
    result["median_abs_ms"] = summarize(magnitudes).median;
    result["p95_abs_ms"] = percentile(magnitudes, 95.0);
    result["worst_abs_ms"] = magnitudes.empty() ? 0.0 : *std::max_element(magnitudes.begin(), magnitudes.end());
    return result;
}

Json analyse(const SyncRecording& run, const SongReference& song) {
    Json result;
    const SinkRecorder& recorder = *run.sound;
    const SoundAlignment alignment(song.samples(), recorder.samples());
    if (!alignment.found()) {
        result["failure"] = "the song was not found in the recording";
        return result;
    }
    const std::vector<PresentedLine>& frames = run.frames;
    // The output frame the song began on: the start of order 0 row 0, or of
    // an event's row less where that row begins in the song (on a busy
    // machine the first frames can come after row 0).
    std::int64_t songStart = -1;
    for (const PresentedLine& frame : frames) {
        if (frame.rowFrame < 0 || frame.order == pastTheEnd) continue;
        const std::int64_t rowInSong =
            frame.order == 0 && frame.row == 0 ? 0 : song.rowStart(cues::Position{frame.order, frame.row});
        if (rowInSong >= 0) {
            songStart = frame.rowFrame - rowInSong;
            break;
        }
    }
    if (songStart < 0) {
        result["failure"] = "no frame showed a row whose start is known";
        return result;
    }
    auto heardAt = [&](std::int64_t songFrame) {
        return recorder.playedAt(double(alignment.recordingFrame(songFrame)));
    };
    auto followed = [&](std::int64_t songFrame) {
        return songFrame >= 0 && songFrame < alignment.alignedFrames();
    };

    // Every frame against the sound: it aims at the middle of its time on
    // screen, from its present to the next.
    std::vector<double> perFrame, estimate, intervals;
    for (std::size_t k = 0; k + 1 < frames.size(); ++k) {
        const PresentedLine& f = frames[k];
        intervals.push_back((frames[k + 1].presented - f.presented) * 1000.0);
        if (f.rowFrame < 0 || f.order == pastTheEnd) continue;
        const std::int64_t shown = f.shown - songStart;
        if (followed(shown)) {
            const double middle = 0.5 * (f.presented + frames[k + 1].presented);
            perFrame.push_back((middle - heardAt(shown)) * 1000.0);
        }
        const std::int64_t heard = f.heard - songStart;
        if (followed(heard)) estimate.push_back((heardAt(heard) - f.start) * 1000.0);
    }

    // Every beat and flash: the first frame showing its row (or a later row
    // of the same scene, which delivers it as passed) against its hit.
    std::vector<double> events;
    int missed = 0;
    int passed = 0;
    std::int64_t rowStartError = 0;
    Json eventList = Json::array();
    for (cues::Position event : cues::rowEvents()) {
        const std::int64_t start = song.rowStart(event);
        if (start < 0 || !followed(start)) continue;
        const auto first = std::find_if(frames.begin(), frames.end(), [&](const PresentedLine& f) {
            return f.rowFrame >= 0 && f.order != pastTheEnd && atOrAfter(f, event);
        });
        if (first == frames.end()) continue;  // the run stopped before it
        Json entry{{"order", event.order}, {"row", event.row}};
        if (!stretchOf(event).contains(first->order)) {
            ++missed;
            entry["missed"] = true;
            eventList.push_back(entry);
            continue;
        }
        if (first->row != event.row || first->order != event.order) {
            ++passed;
        } else {
            rowStartError = std::max(rowStartError, std::abs(first->rowFrame - songStart - start));
        }
        const std::int64_t hit = alignment.correlate(start, 2205);
        const double sound = recorder.playedAt(double(hit >= 0 ? hit : alignment.recordingFrame(start)));
        const double late = (first->presented - sound) * 1000.0;
        events.push_back(late);
        entry["picture_minus_sound_ms"] = late;
        entry["correlation_agrees"] = hit == alignment.recordingFrame(start);
        eventList.push_back(entry);
    }

    std::int64_t inserted = 0, dropped = 0;
    int underruns = 0;
    for (const SoundAlignment::Gap& gap : alignment.gaps()) {
        if (gap.silence > 0) ++underruns;
        inserted += gap.silence;
        dropped += std::max<std::int64_t>(gap.skipped, 0);
    }
    result["frames_presented"] = frames.size();
    result["frame_interval_ms"] = summarize(intervals).median;
    result["frame_interval_p95_ms"] = percentile(intervals, 95.0);
    result["events"] = spread(events);
    result["events_missed"] = missed;
    result["events_delivered_late"] = passed;
    result["event_list"] = eventList;
    result["per_frame"] = spread(perFrame);
    result["heard_estimate"] = spread(estimate);
    result["underruns"] = underruns;
    result["inserted_silence_ms"] = double(inserted) / rate * 1000.0;
    result["dropped_ms"] = double(dropped) / rate * 1000.0;
    result["row_start_error_frames"] = rowStartError;
    result["song_seconds_followed"] = double(alignment.alignedFrames()) / rate;
    result["error_bound_ms"] = recorder.errorBoundSeconds() * 1000.0;
    return result;
}

}  // namespace

Json measureSync(const Settings& settings) {
    // Quick: the sphere's sixteen beats, quiet. Whole: the demo quiet, then
    // its first fourteen orders (every beat and the star's two flashes)
    // beside two and six busy loops: a load of about 4 and 8 on two cores.
    const std::vector<RunPlan> plans =
        settings.quick ? std::vector<RunPlan>{{"quiet", 0, 10}}
                       : std::vector<RunPlan>{{"quiet", 0, 0}, {"load 4", 2, 14}, {"load 8", 6, 14}};
    Json result;
    result["runs"] = Json::array();
    const unsigned lastOrder = settings.quick ? 10 : cues::demoEnd.order + 1;
    std::unique_ptr<SongReference> song;
    for (const RunPlan& plan : plans) {
        const SyncRecording run = recordRealRun(settings, plan.busyLoops, plan.stopOrder);
        Json entry;
        entry["name"] = plan.name;
        entry["busy_loops"] = plan.busyLoops;
        if (!run.failure.empty()) {
            entry["skipped"] = run.failure;
            result["runs"].push_back(entry);
            break;
        }
        if (!song) song = std::make_unique<SongReference>(dataPath("data/Tolvane.it"), lastOrder);
        entry.update(analyse(run, *song));
        entry["mean_runnable"] = run.meanRunnable;
        entry["load_average_after"] = run.loadAverage;
        result["runs"].push_back(entry);
    }
    return result;
}

void printSync(const Json& r) {
    std::printf("Picture against sound: the real program through a private PulseAudio (null sink),\n"
                "the sink's monitor recorded; each beat and flash found by its match with libopenmpt's\n"
                "rendering and set against the present of the first frame showing it\n");
    for (const Json& run : r["runs"]) {
        const std::string name = run["name"];
        if (run.contains("skipped") || run.contains("failure")) {
            std::printf("  %-7s not measured (%s)\n", name.c_str(),
                        run.value("skipped", run.value("failure", std::string())).c_str());
            continue;
        }
        const Json& e = run["events"];
        const Json& f = run["per_frame"];
        std::printf("  %-7s load %.1f: %d events, missed %d (late %d); picture - sound median %.1f ms,"
                    " |median| %.1f, p95 %.1f, worst %.1f; frame interval %.1f ms (p95 %.1f)\n",
                    name.c_str(), run["mean_runnable"].get<double>(), e["count"].get<int>(),
                    run["events_missed"].get<int>(), run["events_delivered_late"].get<int>(),
                    e["median_ms"].get<double>(), e["median_abs_ms"].get<double>(),
                    e["p95_abs_ms"].get<double>(), e["worst_abs_ms"].get<double>(),
                    run["frame_interval_ms"].get<double>(), run["frame_interval_p95_ms"].get<double>());
        std::printf("          every frame: |median| %.1f ms, p95 %.1f; heard estimate |median| %.1f ms,"
                    " p95 %.1f; underruns %d, silence put in %.0f ms, dropped %.0f ms;"
                    " timing error bound +-%.1f ms\n",
                    f["median_abs_ms"].get<double>(), f["p95_abs_ms"].get<double>(),
                    run["heard_estimate"]["median_abs_ms"].get<double>(),
                    run["heard_estimate"]["p95_abs_ms"].get<double>(), run["underruns"].get<int>(),
                    run["inserted_silence_ms"].get<double>(), run["dropped_ms"].get<double>(),
                    run["error_bound_ms"].get<double>());
    }
}
