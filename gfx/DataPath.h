// dataPath: where a run-time input file such as "data/Tolvane.it" is read
// from — the working directory when it has a data/ folder, otherwise the
// folder beside the executable, so a copied demo starts from anywhere.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

std::string dataPath(const std::string& relativePath);

// The folders a data/ folder is looked for in, in the order they are tried:
// the working directory (an empty path), then the executable's folder when
// /proc/self/exe can be read.
std::vector<std::filesystem::path> dataFolders();

// The lookup itself: the first of `folders` that holds a data/ folder prefixes
// the path; with none the path is returned unchanged.
std::string dataPathAmong(const std::string& relativePath,
                          const std::vector<std::filesystem::path>& folders);
