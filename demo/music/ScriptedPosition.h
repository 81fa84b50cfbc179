// ScriptedPosition: a music position set by hand, for the runs that place
// the song themselves — the tests walking the timeline row by row, the
// benchmark holding a stretch, the screenshot tool. It counts the queries,
// since the timeline is meant to ask afresh for every test it makes, and can
// move the order on from one query to the next, as playback does while a
// frame is being built.
#pragma once

#include <deque>
#include <utility>

#include "demo/music/MusicPosition.h"

class ScriptedPosition : public MusicPosition {
public:
    void set(unsigned newOrder, unsigned newRow) {
        pendingOrders.clear();
        currentOrder = newOrder;
        currentRow = newRow;
    }
    // The orders the next order() queries answer, one each; the last stays.
    void setMovingOrders(std::deque<unsigned> orders, unsigned newRow) {
        pendingOrders = std::move(orders);
        currentOrder = pendingOrders.empty() ? currentOrder : pendingOrders.front();
        currentRow = newRow;
    }

    unsigned order() override {
        ++queries;
        if (!pendingOrders.empty()) {
            currentOrder = pendingOrders.front();
            pendingOrders.pop_front();
        }
        return currentOrder;
    }
    unsigned row() override {
        ++queries;
        return currentRow;
    }

    int queries = 0;

private:
    std::deque<unsigned> pendingOrders;
    unsigned currentOrder = 0;
    unsigned currentRow = 0;
};
