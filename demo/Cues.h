// Cues: where the pictures meet the music, as positions in the module (order,
// row). The timeline picks its scenes and fires its events from this table,
// the soundtrack generator lands its accents and layer entries on it, and the
// soundtrack tests hold the module to it. Orders and rows are unsigned, as
// the player reports them.
#pragma once

#include <array>
#include <cstddef>

namespace cues {

// Whole orders, first to last, both included.
struct Stretch {
    unsigned first;
    unsigned last;
    constexpr bool contains(unsigned order) const { return order >= first && order <= last; }
};

// One row of one order.
struct Position {
    unsigned order;
    unsigned row;
};

// The orders each scene owns, in playing order.
constexpr Stretch intro{0, 3};
constexpr Stretch pulsingSphere{4, 9};
constexpr Stretch cubeStar{10, 13};
constexpr Stretch torus{14, 29};
constexpr Stretch cubeStarOverlay{22, 29};  // the cube star again, drawn over the torus
constexpr Stretch cubeGrid{30, 39};

// Switches that hold for a whole order, set again on every frame of it.
constexpr unsigned introSpin = 2;
constexpr unsigned torusWobble = 16;
constexpr unsigned torusSpin = 18;

// The sphere's jolts: each of these rows in each of these orders.
constexpr Stretch pulsingSphereBeatOrders{6, 9};
constexpr std::array<unsigned, 4> pulsingSphereBeatRows{12, 20, 45, 52};

// Fades stamped on every frame of one row.
constexpr std::array<Position, 2> cubeStarFades{{{12, 0}, {13, 61}}};
constexpr Position torusFade{23, 1};
constexpr Position cubeGridFade{37, 0};

// From this row of its order on, the demo is over; later orders do not end it.
constexpr Position demoEnd{38, 3};

// Every row that a picture answers on that row alone, in song order: the
// sphere's beats and the fades. These are the rows the music must mark.
constexpr std::size_t rowEventCount =
    (pulsingSphereBeatOrders.last - pulsingSphereBeatOrders.first + 1) *
        pulsingSphereBeatRows.size() +
    cubeStarFades.size() + 1 /* torusFade */ + 1 /* cubeGridFade */;

constexpr std::array<Position, rowEventCount> rowEvents() {
    std::array<Position, rowEventCount> events{};
    std::size_t next = 0;
    for (unsigned order = pulsingSphereBeatOrders.first; order <= pulsingSphereBeatOrders.last;
         ++order) {
        for (unsigned row : pulsingSphereBeatRows) events[next++] = {order, row};
    }
    for (Position fade : cubeStarFades) events[next++] = fade;
    events[next++] = torusFade;
    events[next++] = cubeGridFade;
    return events;
}
// Built here at compile time, so that a miscounted list does not compile.
static_assert(rowEvents().back().order == cubeGridFade.order &&
              rowEvents().back().row == cubeGridFade.row);

}  // namespace cues
