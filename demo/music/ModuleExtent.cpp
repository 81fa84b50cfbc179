// moduleExtent: the header's counts lead to the offset tables; each sample
// header gives its data's place and size, each pattern its packed length.
// Compressed samples have no size before they are unpacked, so only their
// start counts; an offset of 0 is an empty pattern.
#include "demo/music/ModuleExtent.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr std::size_t headerSize = 0xC0;
constexpr std::size_t sampleHeaderSize = 0x50;
constexpr std::size_t patternHeaderSize = 8;

// Sample header flags.
constexpr unsigned hasData = 0x01;
constexpr unsigned sixteenBit = 0x02;
constexpr unsigned stereo = 0x04;
constexpr unsigned compressed = 0x08;

// Reads past the end as zeros: a cut file's missing fields then claim nothing.
class Reader {
public:
    explicit Reader(const std::vector<unsigned char>& file) : file(file) {}
    std::uint64_t u8(std::size_t at) const { return at < file.size() ? file[at] : 0; }
    std::uint64_t u16(std::size_t at) const { return u8(at) | u8(at + 1) << 8; }
    std::uint64_t u32(std::size_t at) const { return u16(at) | u16(at + 2) << 16; }

private:
    const std::vector<unsigned char>& file;
};

std::uint64_t sampleEnd(const Reader& in, std::uint64_t at) {
    std::uint64_t end = at + sampleHeaderSize;
    const std::uint64_t flags = in.u8(at + 0x12);
    const std::uint64_t length = in.u32(at + 0x30);
    const std::uint64_t pointer = in.u32(at + 0x48);
    if ((flags & hasData) == 0 || length == 0) return end;
    if ((flags & compressed) != 0) return std::max(end, pointer + 1);
    const std::uint64_t bytes = length * ((flags & sixteenBit) != 0 ? 2 : 1) * ((flags & stereo) != 0 ? 2 : 1);
    return std::max(end, pointer + bytes);
}

}  // namespace

std::size_t moduleExtent(const std::vector<unsigned char>& file) {
    if (file.size() < 4 || file[0] != 'I' || file[1] != 'M' || file[2] != 'P' || file[3] != 'M') return 0;
    const Reader in(file);
    const std::uint64_t orders = in.u16(0x20);
    const std::uint64_t instruments = in.u16(0x22);
    const std::uint64_t samples = in.u16(0x24);
    const std::uint64_t patterns = in.u16(0x26);
    const std::uint64_t sampleTable = headerSize + orders + 4 * instruments;
    const std::uint64_t patternTable = sampleTable + 4 * samples;
    std::uint64_t extent = patternTable + 4 * patterns;
    for (std::uint64_t i = 0; i < samples; ++i) {
        extent = std::max(extent, sampleEnd(in, in.u32(sampleTable + 4 * i)));
    }
    for (std::uint64_t i = 0; i < patterns; ++i) {
        const std::uint64_t at = in.u32(patternTable + 4 * i);
        if (at != 0) extent = std::max(extent, at + patternHeaderSize + in.u16(at));
    }
    return static_cast<std::size_t>(extent);
}
