// make_soundtrack: writes the demo's soundtrack, data/Tolvane.it, from the
// composition in this folder. Usage: make_soundtrack <output path>
#include "tools/commandline/CommandLine.h"
#include "tools/soundtrack/Soundtrack.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    const CommandLine line(argc, argv, "make_soundtrack",
                           "Usage: make_soundtrack FILE\n"
                           "Writes the demo's soundtrack, an Impulse Tracker module composed in\n"
                           "code, to FILE (scripts/make-data writes data/Tolvane.it with it).\n",
                           {}, 1, 1);
    try {
        ItWriter::save(Soundtrack::module(), line.operands()[0]);
    } catch (const std::exception& error) {
        std::cerr << "make_soundtrack: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
