// readDataFile: the whole of one of the demo's data files, read the same way
// on every platform: a path in UTF-8, and anything that is not a regular file
// (a pipe, a device, a folder) refused at once instead of waited on. Each
// platform opens files its own way (shell/<platform>/DataFile.cpp).
#pragma once

#include <string>
#include <vector>

struct DataFileContents {
    std::vector<unsigned char> bytes;
    // Why the file could not be read ("not a regular file", the system's
    // own words for a missing or unreadable file); empty when it was read.
    std::string failure;
};

DataFileContents readDataFile(const std::string& utf8Path);
