// Every program and script of the repository, as a user first meets it:
// --help prints the usage and ends with 0 before anything is done, an
// unknown option ends with 2 and says which; neither leaves a file behind
// (make_soundtrack --help once wrote a module named --help). The demo itself
// answers --help and --version and ignores every other argument.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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

struct Outcome {
    int status = -1;
    std::string out, err;
};

// An empty folder to run in, and stand-ins for what must not be reached: a
// script that ignored its command line would go on to install and build.
class Sandbox {
public:
    Sandbox() {
        char pattern[] = "/tmp/velmora-commandline-XXXXXX";
        root = mkdtemp(pattern);
        fs::create_directories(root / "work");
        fs::create_directories(root / "stubs");
        for (const char* tool : {"cmake", "ctest", "cpack", "apt-get", "sudo", "Xvfb"}) {
            std::ofstream(root / "stubs" / tool) << "#!/bin/sh\necho \"$0 reached\" >&2\nexit 97\n";
            fs::permissions(root / "stubs" / tool, fs::perms::owner_all);
        }
    }
    ~Sandbox() { fs::remove_all(root); }

    Outcome run(const std::string& command) const {
        const fs::path err = root / "err";
        const std::string line = "cd '" + (root / "work").string() +
                                 "' && env -u DISPLAY -u WAYLAND_DISPLAY PATH='" +
                                 (root / "stubs").string() + ":" + std::getenv("PATH") + "' " +
                                 command + " 2>'" + err.string() + "'";
        Outcome result;
        std::FILE* pipe = popen(line.c_str(), "r");
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            result.out.append(buffer, got);
        const int status = pclose(pipe);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::ifstream errors(err);
        result.err.assign(std::istreambuf_iterator<char>(errors), std::istreambuf_iterator<char>());
        return result;
    }
    bool workEmpty() const { return fs::is_empty(root / "work"); }

private:
    fs::path root;
};

struct Case {
    std::string name, command;
    std::vector<std::string> helpSays{"Usage: "};
    int unknownStatus = 2;
    std::string unknownSays = "--frobnicate";
    std::string versionStarts;  // empty: no --version asked
};

std::vector<Case> everyCommand() {
    std::vector<Case> cases;
    for (const Program& program : builtPrograms) cases.push_back({program.name, program.path});
    for (const char* script : {"benchmark", "fuzz", "make-data", "package", "play", "pulse",
                               "screenshots", "setup.sh", "test", "web-deps", "windows"}) {
        cases.push_back({script, std::string("bash ") + SOURCE_DIR + "/scripts/" + script});
    }
    for (Case& c : cases) {
        if (c.name == "velmora") {
            // The launcher's keys, the data places and how to run silently.
            c.helpSays = {"Usage: velmora", "Orvak 2002 - Velmora", "Escape", "data/Tolvane.it",
                          "/usr/share/velmora/data", "SDL_AUDIODRIVER=dummy"};
            // Ignored: the demo goes on to its launcher, here without a display.
            c.unknownStatus = 0;
            c.unknownSays = "velmora: cannot open a display";
            c.versionStarts = "velmora (Velmora) ";
        } else if (c.name == "velmora-capture") {
            c.versionStarts = "velmora-capture (Velmora) ";
        }
    }
    return cases;
}

}  // namespace

TEST(CommandLine, EveryProgramAndScriptAnswersHelpAndRefusesAnUnknownOption) {
    const Sandbox sandbox;
    for (const Case& c : everyCommand()) {
        SCOPED_TRACE(c.name);
        const Outcome help = sandbox.run(c.command + " --help");
        EXPECT_EQ(help.status, 0) << help.err;
        for (const std::string& text : c.helpSays) {
            EXPECT_NE(help.out.find(text), std::string::npos) << text;
        }
        EXPECT_TRUE(sandbox.workEmpty()) << "--help left a file";

        const Outcome unknown = sandbox.run(c.command + " --frobnicate");
        EXPECT_EQ(unknown.status, c.unknownStatus) << unknown.err;
        EXPECT_NE(unknown.err.find(c.unknownSays), std::string::npos) << unknown.err;
        EXPECT_TRUE(sandbox.workEmpty()) << "an unknown option left a file";

        if (c.versionStarts.empty()) continue;
        const Outcome version = sandbox.run(c.command + " --version");
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.out.rfind(c.versionStarts, 0), 0u) << version.out;
        EXPECT_NE(version.out.find("License: MIT"), std::string::npos) << version.out;
    }
}
