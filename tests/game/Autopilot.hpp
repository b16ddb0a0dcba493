#pragma once
// A driver that plays the level being played through the arrow keys, as a
// careful player would: it plans a round over every uncut Grass cell, holds
// the keys that lead along it, and plans again when the clouds let grass
// grow back.
//
// It reads the game as the game screen shows it (the map, the mown cells,
// the mower and the clouds) and answers with the keys to hold; the rules of
// play stay the game's own.

#include "world/Map.hpp"

#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <limits>
#include <set>
#include <vector>

namespace test {

// Where the mower can stand on the current map and what it costs to drive
// between those places.
//
// Places are mower centres on a 16-pixel lattice: tile centres, corners and
// edge midpoints.  A box no wider than a tile standing on them covers one
// cell, two side by side or a square of four, the same cells a little way
// off the lattice, so a driver that comes within a pixel or two cuts what
// the plan expects.  Neighbours are joined along the axes and diagonally
// where the mower's box passes freely all the way.
class MowingGraph {
public:
    static constexpr int spacing = 16;
    static constexpr int columns = Map::fieldWidth / spacing + 1;
    static constexpr int rows = Map::fieldHeight / spacing + 1;
    static constexpr int nodeCount = columns * rows;
    static constexpr int unreachable = std::numeric_limits<int>::max();
    // Driving costs: a straight step and a diagonal one, in the same unit.
    static constexpr int straightCost = 1000;
    static constexpr int diagonalCost = 1414;

    // From the current map and the mower's box in Game::resources(); the map's
    // tile types must stay as they are while the graph is used (mowing and
    // regrowth only swap grass for grass).
    MowingGraph();

    sf::Vector2f position(int node) const;
    bool isFree(int node) const { return free_[static_cast<std::size_t>(node)]; }
    // The free node nearest a field position.
    int nearestNode(sf::Vector2f at) const;
    // Grass cells (row * 25 + column) the box cuts standing there.
    const std::vector<int>& cellsCut(int node) const { return cuts_[static_cast<std::size_t>(node)]; }
    // The most cells one place cuts.
    int widestCut() const { return widestCut_; }

    struct Step {
        int to;
        int cost;
    };
    const std::vector<Step>& steps(int node) const { return steps_[static_cast<std::size_t>(node)]; }

    // Cost of the cheapest drive from every node to `node`; computed once
    // and kept, so several plays of one level share it.
    const std::vector<int>& costsTo(int node) const;

private:
    std::vector<bool> free_;
    std::vector<std::vector<int>> cuts_;
    int widestCut_ = 0;
    std::vector<std::vector<Step>> steps_;
    mutable std::vector<std::vector<int>> costs_;
};

// The uncut cells are covered by as few places as it can (squares of four
// first) and visited in a short round: nearest first, then untangled.
// Cells a cloud is over or about to drift over wait until it has passed,
// since mown grass in the shade may grow back; once all that is left fits
// in a short dash it is taken at once.  Plans are made again twice a second
// and whenever grass grows back, keeping the stop being driven to first.
class Autopilot {
public:
    explicit Autopilot(const MowingGraph& graph);

    // The arrow keys to hold during the next frame, from the game as it is.
    std::set<sf::Keyboard::Key> keysForNextFrame();

private:
    struct Stop {
        int node;
        std::vector<int> cells;  // what it was chosen to cut
        bool shaded = false;     // a cloud is over it or on its way
    };

    void noteRegrowth();
    void plan(int from);
    // Orders stops_ into a short round from `from`, the stop already being
    // driven to first, so that a new plan does not turn the mower round;
    // the round's driving cost.
    int orderStops(int from);
    int orderRound(int from, std::vector<Stop>& stops) const;
    bool stopDone(const Stop& stop) const;
    int nextWaypoint(int from);

    const MowingGraph& graph_;
    std::vector<Stop> stops_;  // still to visit, next first
    std::vector<bool> wasMown_;
    bool replan_ = true;
    int waypoint_ = -1;
    int goal_ = -1;  // the stop being driven to
    int lastStep_ = -1;  // direction of the last step, to keep sweeping straight
    int framesSincePlan_ = 0;
};

} // namespace test
