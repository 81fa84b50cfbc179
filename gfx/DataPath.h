// dataPath: where a run-time input file such as "data/Tolvane.it" is read
// from — the working directory when it holds that file, otherwise the folder
// beside the executable, otherwise the installed data folder, so a copied
// demo or an installed (even moved) tree starts from anywhere.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

// With the file nowhere, says on stderr where it looked.
std::string dataPath(const std::string& relativePath);

// The folders the file is looked for in, in the order they are tried: the
// working directory (an empty path), then, when the system tells where the
// program's file is, the executable's folder and the installed share/velmora
// found from it (<prefix>/bin/velmora reads <prefix>/share/velmora/data).
std::vector<std::filesystem::path> dataFolders();

// The lookup itself: the first of `folders` that holds the file prefixes the
// path. Anything by that name counts (the loader then says what is wrong
// with it); an empty data/ folder does not. With none the path is returned
// unchanged, so opening it fails with the caller's own message, after one
// line on `report` naming every place that was tried.
std::string dataPathAmong(const std::string& relativePath,
                          const std::vector<std::filesystem::path>& folders, std::ostream& report);
