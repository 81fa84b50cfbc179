// CommandLine: options and operands, checked whole before the program works.
#include "tools/commandline/CommandLine.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <utility>

OptionWord splitOptionWord(const std::string& word) {
    OptionWord option;
    option.name = word;
    const std::size_t equals = word.find('=');
    if (word.rfind("--", 0) == 0 && equals != std::string::npos) {
        option.value = word.substr(equals + 1);
        option.name.erase(equals);
        option.hasValue = true;
    }
    return option;
}

CommandLine::CommandLine(int argc, const char* const* argv, std::string programName,
                         std::string usage, const std::vector<OptionRule>& options,
                         std::size_t minOperands, std::size_t maxOperands)
    : program(std::move(programName)) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            words.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        if (word == "--help" || word == "-h") {
            std::fputs(usage.c_str(), stdout);
            std::exit(0);
        }
        const OptionWord option = splitOptionWord(word);
        const OptionRule* rule = nullptr;
        for (const OptionRule& known : options) {
            if (option.name == known.name) rule = &known;
        }
        if (rule == nullptr) refuse("unknown option '" + option.name + "'");
        if (!rule->takesValue) {
            if (option.hasValue) refuse(option.name + " takes no value");
            given[option.name] = "";
        } else if (option.hasValue) {
            given[option.name] = option.value;
        } else if (i + 1 < argc) {
            given[option.name] = argv[++i];
        } else {
            refuse(option.name + " needs a value");
        }
    }
    if (words.size() < minOperands) refuse("missing operand");
    if (words.size() > maxOperands) refuse("unexpected operand '" + words[maxOperands] + "'");
}

std::string CommandLine::value(const std::string& option, const std::string& fallback) const {
    const auto found = given.find(option);
    return found == given.end() ? fallback : found->second;
}

int CommandLine::number(const std::string& option, int fallback, int low, int high) const {
    if (!has(option)) return fallback;
    const std::string text = value(option, "");
    int result = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (error != std::errc() || end != text.data() + text.size() || result < low || result > high) {
        refuse(option + " wants a whole number from " + std::to_string(low) + " to " +
               std::to_string(high) + ", not '" + text + "'");
    }
    return result;
}

void CommandLine::refuse(const std::string& why) const {
    std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", program.c_str(), why.c_str(),
                 program.c_str());
    std::exit(2);
}
