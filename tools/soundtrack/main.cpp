// make_soundtrack: writes the demo's soundtrack, data/Tolvane.it, from the
// composition in this folder. Usage: make_soundtrack <output path>
#include "tools/soundtrack/Soundtrack.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_soundtrack <output path>\n";
        return 2;
    }
    try {
        ItWriter::save(Soundtrack::module(), argv[1]);
    } catch (const std::exception& error) {
        std::cerr << "make_soundtrack: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
