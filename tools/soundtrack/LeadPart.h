// LeadPart: the lead melody of one order with its chorus double and a
// dotted-eighth echo on the far side, sung with a player's dynamics.
#pragma once

#include "tools/itwriter/ItWriter.h"

class LeadPart {
public:
    static void write(ItPattern& pattern, int order);
};
