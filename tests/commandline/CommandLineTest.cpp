// Every program and script of the repository, as a user first meets it:
// --help prints the usage and ends with 0 before anything is done, an
// unknown option ends with 2 and says which; neither leaves a file behind
// (make_soundtrack --help once wrote a module named --help). The demo itself
// answers --help and --version and ignores every other argument.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Program {
    const char* name;
    const char* path;
};

const Program builtPrograms[] = {
#include "Programs.inc"
};

const char* const scripts[] = {"benchmark", "fuzz",        "make-data", "package",
                               "play",      "screenshots", "setup.sh",  "test"};

struct Outcome {
    int status = -1;
    std::string out, err;
};

// An empty folder to run in, and programs that must not be reached: a
// script that ignored its command line would go on to install and build.
class Sandbox {
public:
    Sandbox() {
        char pattern[] = "/tmp/velmora-commandline-XXXXXX";
        root = mkdtemp(pattern);
        fs::create_directories(root / "work");
        fs::create_directories(root / "stubs");
        for (const char* tool : {"cmake", "ctest", "cpack", "apt-get", "sudo", "Xvfb"}) {
            const fs::path stub = root / "stubs" / tool;
            std::ofstream(stub) << "#!/bin/sh\necho \"$0 reached\" >&2\nexit 97\n";
            fs::permissions(stub, fs::perms::owner_all);
        }
    }
    ~Sandbox() { fs::remove_all(root); }

    Outcome run(const std::string& command) const {
        const std::string quiet = (root / "err").string();
        const std::string line = "cd '" + (root / "work").string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY PATH='" +
                                 (root / "stubs").string() + ":" + std::getenv("PATH") + "' " +
                                 command + " 2>'" + quiet + "'";
        Outcome result;
        std::FILE* pipe = popen(line.c_str(), "r");
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            result.out.append(buffer, got);
        const int status = pclose(pipe);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::ifstream err(quiet);
        result.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
        return result;
    }
    bool workEmpty() const { return fs::is_empty(root / "work"); }

private:
    fs::path root;
};

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::vector<Program> everyCommand(std::vector<std::string>& keep) {
    std::vector<Program> all(std::begin(builtPrograms), std::end(builtPrograms));
    for (const char* script : scripts) {
        keep.push_back(std::string("bash ") + SOURCE_DIR + "/scripts/" + script);
    }
    for (std::size_t i = 0; i < keep.size(); ++i) all.push_back({scripts[i], keep[i].c_str()});
    return all;
}

}  // namespace

TEST(CommandLine, EveryProgramAndScriptAnswersHelpAndRefusesAnUnknownOption) {
    std::vector<std::string> commands;
    commands.reserve(std::size(scripts));
    const Sandbox sandbox;
    for (const Program& program : everyCommand(commands)) {
        SCOPED_TRACE(program.name);
        const Outcome help = sandbox.run(std::string(program.path) + " --help");
        EXPECT_EQ(help.status, 0) << help.err;
        EXPECT_NE(lower(help.out).find("usage"), std::string::npos) << help.out;
        EXPECT_TRUE(sandbox.workEmpty()) << "--help left a file";

        const Outcome unknown = sandbox.run(std::string(program.path) + " --frobnicate");
        if (std::string(program.name) == "velmora") {
            // Ignored: the demo goes on to its launcher, here without a display.
            EXPECT_EQ(unknown.status, 0);
            EXPECT_NE(unknown.err.find("velmora: cannot open a display"), std::string::npos)
                << unknown.err;
        } else {
            EXPECT_EQ(unknown.status, 2) << unknown.err;
            EXPECT_NE(unknown.err.find("--frobnicate"), std::string::npos) << unknown.err;
        }
        EXPECT_TRUE(sandbox.workEmpty()) << "an unknown option left a file";
    }
}

TEST(CommandLine, TheDemosHelpAndVersionSayWhatAUserNeeds) {
    const Sandbox sandbox;
    std::string velmora, capture;
    for (const Program& program : builtPrograms) {
        if (std::string(program.name) == "velmora") velmora = program.path;
        if (std::string(program.name) == "velmora-capture") capture = program.path;
    }
    ASSERT_FALSE(velmora.empty());
    const Outcome help = sandbox.run(velmora + " -h");
    EXPECT_EQ(help.status, 0);
    for (const char* needed : {"Usage: velmora", "Orvak 2002 - Velmora", "Escape", "data/Tolvane.it",
                               "/usr/share/velmora/data", "SDL_AUDIODRIVER=dummy"}) {
        EXPECT_NE(help.out.find(needed), std::string::npos) << needed;
    }
    EXPECT_EQ(help.err, "") << "nothing opened";
    struct Case {
        std::string command;
        const char* firstLine;
    };
    const Case versions[] = {{velmora + " --version", "velmora (Velmora) "},
                             {velmora + " --frobnicate --version", "velmora (Velmora) "},
                             {capture + " --version", "velmora-capture (Velmora) "}};
    for (const Case& c : versions) {
        SCOPED_TRACE(c.command);
        const Outcome version = sandbox.run(c.command);
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.out.rfind(c.firstLine, 0), 0u) << version.out;
        EXPECT_NE(version.out.find("MIT"), std::string::npos);
    }
}
