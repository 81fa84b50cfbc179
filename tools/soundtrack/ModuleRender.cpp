// ModuleRender: reads the module in 1 ms chunks so every row's start is known
// to the millisecond; a module that loops never stops by itself, so the
// render gives up well past the five minutes the soundtrack may last.
#include "tools/soundtrack/ModuleRender.h"

#include <libopenmpt/libopenmpt_ext.hpp>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace {

constexpr std::size_t chunkFrames = 44;
constexpr std::size_t limitFrames = static_cast<std::size_t>(ModuleRender::rate) * 400;

openmpt::ext::interactive& interactiveOf(openmpt::module_ext& module) {
    auto* interactive =
        static_cast<openmpt::ext::interactive*>(module.get_interface(openmpt::ext::interactive_id));
    if (interactive == nullptr) throw std::runtime_error("libopenmpt cannot mute or play instruments");
    return *interactive;
}

// A module without instruments plays its samples directly; then they are what is muted and played.
std::vector<std::string> instrumentNames(const openmpt::module_ext& module) {
    return module.get_num_instruments() > 0 ? module.get_instrument_names() : module.get_sample_names();
}

void muteAllBut(openmpt::module_ext& module, const std::vector<std::string>& solo) {
    if (solo.empty()) return;
    const std::vector<std::string> names = instrumentNames(module);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const bool kept = std::find(solo.begin(), solo.end(), names[i]) != solo.end();
        interactiveOf(module).set_instrument_mute_status(static_cast<std::int32_t>(i), !kept);
    }
}

void playProbe(openmpt::module_ext& module, const std::string& instrument, int note) {
    if (instrument.empty()) return;
    const std::vector<std::string> names = instrumentNames(module);
    const auto found = std::find(names.begin(), names.end(), instrument);
    if (found == names.end()) throw std::out_of_range("no instrument named " + instrument);
    interactiveOf(module).play_note(static_cast<std::int32_t>(found - names.begin()), note, 1.0, 0.0);
}

}  // namespace

std::vector<std::uint8_t> readModuleFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

ModuleRender::ModuleRender(const std::vector<std::uint8_t>& bytes) : ModuleRender(bytes, Options{}) {}

ModuleRender::ModuleRender(const std::vector<std::uint8_t>& bytes, const Options& options)
    : ModuleRender(bytes, options, Probe{}) {}

ModuleRender::ModuleRender(const std::vector<std::uint8_t>& bytes, const Options& options, const Probe& probe) {
    std::ostringstream logStream;
    openmpt::module_ext module(bytes, logStream);
    log = logStream.str();
    muteAllBut(module, options.soloInstruments);
    if (options.firstOrder > 0) module.set_position_order_row(options.firstOrder, 0);
    playProbe(module, probe.instrument, probe.note);
    std::vector<float> l(chunkFrames), r(chunkFrames);
    while (left.size() < limitFrames) {
        const Position here{module.get_current_order(), module.get_current_row()};
        if (here.first == options.endOrder) break;
        if (rowStart.emplace(here, left.size()).second) visited.push_back(here);
        const std::size_t got = module.read(rate, chunkFrames, l.data(), r.data());
        if (got == 0) break;
        left.insert(left.end(), l.begin(), l.begin() + static_cast<std::ptrdiff_t>(got));
        right.insert(right.end(), r.begin(), r.begin() + static_cast<std::ptrdiff_t>(got));
    }
}

std::size_t ModuleRender::frameOf(Position at) const {
    const auto found = rowStart.find(at);
    if (found == rowStart.end()) {
        throw std::out_of_range("order " + std::to_string(at.first) + " row " + std::to_string(at.second) +
                                " never played");
    }
    return found->second;
}

std::pair<std::size_t, std::size_t> ModuleRender::ordersSpan(int first, int last) const {
    const std::size_t from = frameOf({first, 0});
    return {from, played({last + 1, 0}) ? frameOf({last + 1, 0}) : frames()};
}
