// The program keeps text and paths in UTF-8; the system's own calls take and
// give UTF-16. These convert between the two at that border.
#pragma once

#include <string>

// Empty when `utf8` is not valid UTF-8 (and not empty itself).
std::wstring wideFromUtf8(const std::string& utf8);
std::string utf8FromWide(const std::wstring& wide);

// The system's own words for an error code, without the trailing line break.
std::string systemMessage(unsigned long errorCode);
