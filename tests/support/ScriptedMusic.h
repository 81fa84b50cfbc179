// ScriptedMusic: a music position the test sets by hand, so the timeline can
// be driven row by row without audio. Counts queries, since the timeline is
// meant to ask afresh for every test it makes.
#pragma once

#include "demo/music/MusicPosition.h"

class ScriptedMusic : public MusicPosition {
public:
    void set(unsigned newOrder, unsigned newRow) {
        currentOrder = newOrder;
        currentRow = newRow;
    }
    unsigned order() override {
        ++queries;
        return currentOrder;
    }
    unsigned row() override {
        ++queries;
        return currentRow;
    }

    int queries = 0;

private:
    unsigned currentOrder = 0;
    unsigned currentRow = 0;
};
