// SongPosition: order and row from a time, 64 rows an order.
#include "tools/sceneshots/SongPosition.h"

#include <cmath>

SongPosition::SongPosition(double rowSeconds) : rowSeconds(rowSeconds) {}

void SongPosition::seek(double seconds) {
    const auto rows = static_cast<unsigned>(std::floor(seconds / rowSeconds + 1e-9));
    currentOrder = rows / rowsPerOrder;
    currentRow = rows % rowsPerOrder;
}

double SongPosition::secondsAt(unsigned order, unsigned row) const {
    return (double(order) * rowsPerOrder + row) * rowSeconds;
}

unsigned SongPosition::order() { return currentOrder; }

unsigned SongPosition::row() { return currentRow; }
