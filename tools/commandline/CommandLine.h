// CommandLine: the command line of the small programs beside the demo (the
// data generators, the benchmarks, the fixture writers): `--help` prints the
// program's usage and ends it with status 0 before anything is done; an
// unknown option, a bad value or a wrong number of operands says why on
// stderr and ends it with status 2.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

// One word of a command line: "--name=value" split in two, anything else
// whole (with no value).
struct OptionWord {
    std::string name;
    std::string value;
    bool hasValue = false;
};
OptionWord splitOptionWord(const std::string& word);

struct OptionRule {
    const char* name;  // "--frames"
    bool takesValue;   // "--frames N" or "--frames=N"
};

class CommandLine {
public:
    static constexpr std::size_t anyNumber = static_cast<std::size_t>(-1);

    // Reads argv[1..]; "--" ends the options. Ends the program as described
    // above; `usage` is the whole --help text.
    CommandLine(int argc, const char* const* argv, std::string program, std::string usage,
                const std::vector<OptionRule>& options, std::size_t minOperands,
                std::size_t maxOperands);

    bool has(const std::string& option) const { return given.count(option) != 0; }
    std::string value(const std::string& option, const std::string& fallback) const;
    // The option's value as a whole number from `low` to `high`, else ends
    // the program with status 2.
    int number(const std::string& option, int fallback, int low, int high) const;
    const std::vector<std::string>& operands() const { return words; }

    // Says `why` on stderr, points to --help, and ends with status 2.
    [[noreturn]] void refuse(const std::string& why) const;

private:
    std::string program;
    std::map<std::string, std::string> given;
    std::vector<std::string> words;
};
