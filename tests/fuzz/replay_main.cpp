// replay_main: runs a fuzz target once over each file given, or each file in
// a folder given, without libFuzzer. Built without sanitizers, it lets
// valgrind watch the libraries (SDL's BMP reader, libopenmpt) that the
// sanitizers cannot see into, over the corpus the fuzzer left behind.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/commandline/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    const CommandLine line(argc, argv, "replay",
                           "Usage: replay_bitmap|replay_module FILE|FOLDER...\n"
                           "Runs the fuzz target once over each FILE and each file in each FOLDER\n"
                           "(a corpus), without libFuzzer, e.g. under valgrind.\n",
                           {}, 0, CommandLine::anyNumber);
    std::vector<fs::path> files;
    for (const std::string& operand : line.operands()) {
        if (fs::is_directory(operand)) {
            for (const auto& entry : fs::directory_iterator(operand)) files.push_back(entry.path());
        } else {
            files.emplace_back(operand);
        }
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                              std::istreambuf_iterator<char>()};
        if (!in.good() && !in.eof()) {
            std::fprintf(stderr, "replay: cannot read %s\n", file.c_str());
            return 1;
        }
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::printf("replayed %zu inputs\n", files.size());
    return 0;
}
