// dataPath: where a run-time input file such as "data/Tolvane.it" is read
// from — the working directory when it has a data/ folder, otherwise the
// folder beside the executable, so a copied demo starts from anywhere.
#pragma once

#include <string>

std::string dataPath(const std::string& relativePath);
