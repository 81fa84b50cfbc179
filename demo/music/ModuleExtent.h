// moduleExtent: how many bytes an Impulse Tracker module's own tables say the
// file holds — its sample headers, sample data and patterns. libopenmpt plays
// a file cut short without a word, the missing samples as silence; comparing
// this with the file's size is how the player notices.
#pragma once

#include <cstddef>
#include <vector>

// 0 for bytes that are not an Impulse Tracker module.
std::size_t moduleExtent(const std::vector<unsigned char>& file);
