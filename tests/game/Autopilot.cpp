#include "game/Autopilot.hpp"

#include "game/GameResources.hpp"
#include "game/GameState.hpp"
#include "game/Player.hpp"
#include "game/WorldObjects.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <queue>

namespace test {
namespace {

struct Direction {
    int dx, dy;  // lattice step
    std::set<sf::Keyboard::Key> keys;
};

// The eight ways the keys can point, clockwise from up.
const std::array<Direction, 8>& directions()
{
    using K = sf::Keyboard;
    static const std::array<Direction, 8> all = {{
        {0, -1, {K::Up}},
        {1, -1, {K::Up, K::Right}},
        {1, 0, {K::Right}},
        {1, 1, {K::Down, K::Right}},
        {0, 1, {K::Down}},
        {-1, 1, {K::Down, K::Left}},
        {-1, 0, {K::Left}},
        {-1, -1, {K::Up, K::Left}},
    }};
    return all;
}

int directionOf(int from, int to)
{
    const int dx = to % MowingGraph::columns - from % MowingGraph::columns;
    const int dy = to / MowingGraph::columns - from / MowingGraph::columns;
    for (std::size_t d = 0; d < directions().size(); ++d)
        if (directions()[d].dx == dx && directions()[d].dy == dy)
            return static_cast<int>(d);
    return -1;
}

// Close enough to a lattice place to cut what it cuts: a step is 3 pixels,
// so the mower can always stop within half of one.
constexpr float arrivalTolerance = 1.5f;
constexpr float framesPerSecond = 60.f;

// Grass mown just before a cloud drifts over it may well grow back: such
// cells wait until the cloud has gone, looking this far ahead (seconds).
constexpr float shadeHorizon = 2.f;
// After meeting the field's edge a cloud turns any way; it stays about
// this long (seconds) over the cells round where it turned.
constexpr float turnLinger = 1.5f;
// Clouds move on, so plans are made again this often (frames).
constexpr int planInterval = 30;
// When all that is left can be cut in this many seconds, the mower takes
// it all at once, shade or not: waiting only lets more grow back.
constexpr float dashSeconds = 6.f;
// More stops than this are never that close to the end.
constexpr std::size_t dashStops = 40;

// The times (seconds from now) at which clouds will be over one cell.
struct Shade {
    std::vector<std::pair<float, float>> spans;
    bool ahead(float horizon) const
    {
        return std::any_of(spans.begin(), spans.end(), [&](const auto& span) { return span.first <= horizon; });
    }
    float lifts() const
    {
        float last = -1.f;
        for (const auto& span : spans)
            last = std::max(last, span.second);
        return last;
    }
};

// Seconds t in [0, limit] at which a box [low + v t, high + v t] meets the
// cell span [cellLow, cellLow + 32), by the game's truncating cell rule.
std::pair<float, float> overlapTimes(float low, float high, float v, float cellLow, float limit)
{
    const float cellHigh = cellLow + static_cast<float>(Tileset::tileSize);
    // Needs high + v t >= cellLow and low + v t < cellHigh.
    if (v == 0.f) {
        if (high < cellLow || low >= cellHigh)
            return {1.f, 0.f};
        return {0.f, limit};
    }
    const float a = (cellLow - high) / v, b = (cellHigh - low) / v;
    return {std::max(0.f, std::min(a, b)), std::min(limit, std::max(a, b))};
}

// When each cell will be under a cloud within `horizon` seconds, by each
// cloud's straight drift up to the field's edge and a while after it turns.
std::vector<Shade> shadeAhead(float horizon)
{
    std::vector<Shade> shade(Map::cellCount);
    for (const Game::WorldObject& cloud : Game::worldObjects()) {
        if (!cloud.sprite || cloud.noRegrow != 0)
            continue;
        const Sprite& sprite = *cloud.sprite;
        const sf::Vector2f v = Game::moveAlongHeading({0.f, 0.f}, cloud.heading, cloud.speed);
        // Until the box would leave the field.
        float edge = horizon;
        if (v.x > 0.f)
            edge = std::min(edge, (Map::fieldWidth - (cloud.x + sprite.boxRight)) / v.x);
        if (v.x < 0.f)
            edge = std::min(edge, (cloud.x + sprite.boxLeft) / -v.x);
        if (v.y > 0.f)
            edge = std::min(edge, (Map::fieldHeight - (cloud.y + sprite.boxBottom)) / v.y);
        if (v.y < 0.f)
            edge = std::min(edge, (cloud.y + sprite.boxTop) / -v.y);
        edge = std::max(edge, 0.f);
        for (int cell = 0; cell < Map::cellCount; ++cell) {
            const float left = static_cast<float>(cell % Map::width * Tileset::tileSize);
            const float top = static_cast<float>(cell / Map::width * Tileset::tileSize);
            const auto [x0, x1] = overlapTimes(cloud.x + sprite.boxLeft, cloud.x + sprite.boxRight, v.x, left, edge);
            const auto [y0, y1] = overlapTimes(cloud.y + sprite.boxTop, cloud.y + sprite.boxBottom, v.y, top, edge);
            if (std::max(x0, y0) <= std::min(x1, y1))
                shade[static_cast<std::size_t>(cell)].spans.push_back({std::max(x0, y0), std::min(x1, y1)});
        }
        if (edge >= horizon)
            continue;
        // Where it turns, one cell round its box.
        const sf::Vector2f turn = sf::Vector2f(cloud.x, cloud.y) + v * edge;
        const float margin = static_cast<float>(Tileset::tileSize);
        const Game::CellRange around =
            Game::cellsUnder(turn.x + sprite.boxLeft - margin, turn.y + sprite.boxTop - margin,
                             turn.x + sprite.boxRight + margin, turn.y + sprite.boxBottom + margin);
        for (int row = around.firstRow; row <= around.lastRow; ++row)
            for (int column = around.firstColumn; column <= around.lastColumn; ++column)
                shade[static_cast<std::size_t>(row * Map::width + column)].spans.push_back({edge, edge + turnLinger});
    }
    return shade;
}

float secondsFor(int cost)
{
    return static_cast<float>(cost) / MowingGraph::straightCost * MowingGraph::spacing / Game::drivingSpeed;
}

bool isUncutGrass(int cell)
{
    return Game::gameState().mownFlags[static_cast<std::size_t>(cell)] == 0 &&
           Game::cellType(cell % Map::width, cell / Map::width) == TileType::Grass;
}

} // namespace

MowingGraph::MowingGraph()
    : free_(nodeCount), cuts_(nodeCount), steps_(nodeCount), costs_(nodeCount)
{
    const Sprite& mower = Game::resources().mowerMoving;
    const float l = mower.boxLeft, t = mower.boxTop, r = mower.boxRight, b = mower.boxBottom;
    for (int node = 0; node < nodeCount; ++node) {
        const sf::Vector2f at = position(node);
        free_[static_cast<std::size_t>(node)] =
            Game::isAreaFree(Game::boxBlockedByTiles, at.x + l, at.y + t, at.x + r, at.y + b);
        if (!isFree(node))
            continue;
        const Game::CellRange range = Game::cellsUnder(at.x + l, at.y + t, at.x + r, at.y + b);
        for (int row = range.firstRow; row <= range.lastRow; ++row)
            for (int column = range.firstColumn; column <= range.lastColumn; ++column)
                if (Game::cellType(column, row) == TileType::Grass)
                    cuts_[static_cast<std::size_t>(node)].push_back(row * Map::width + column);
        widestCut_ = std::max(widestCut_, static_cast<int>(cellsCut(node).size()));
    }
    for (int node = 0; node < nodeCount; ++node) {
        if (!isFree(node))
            continue;
        const int column = node % columns, row = node / columns;
        for (const Direction& d : directions()) {
            const int c = column + d.dx, rw = row + d.dy;
            if (c < 0 || c >= columns || rw < 0 || rw >= rows || !isFree(rw * columns + c))
                continue;
            // The box swept between the two places lies within the box round
            // both of them.
            const sf::Vector2f from = position(node), to = position(rw * columns + c);
            if (!Game::isAreaFree(Game::boxBlockedByTiles, std::min(from.x, to.x) + l, std::min(from.y, to.y) + t,
                                  std::max(from.x, to.x) + r, std::max(from.y, to.y) + b))
                continue;
            steps_[static_cast<std::size_t>(node)].push_back(
                {rw * columns + c, d.dx != 0 && d.dy != 0 ? diagonalCost : straightCost});
        }
    }
}

sf::Vector2f MowingGraph::position(int node) const
{
    return {static_cast<float>(node % columns * spacing), static_cast<float>(node / columns * spacing)};
}

int MowingGraph::nearestNode(sf::Vector2f at) const
{
    int best = -1;
    float bestDistance = 0.f;
    for (int node = 0; node < nodeCount; ++node) {
        if (!isFree(node))
            continue;
        const sf::Vector2f p = position(node);
        const float distance = (p.x - at.x) * (p.x - at.x) + (p.y - at.y) * (p.y - at.y);
        if (best < 0 || distance < bestDistance) {
            best = node;
            bestDistance = distance;
        }
    }
    return best;
}

const std::vector<int>& MowingGraph::costsTo(int node) const
{
    std::vector<int>& costs = costs_[static_cast<std::size_t>(node)];
    if (!costs.empty())
        return costs;
    costs.assign(nodeCount, unreachable);
    using Entry = std::pair<int, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    costs[static_cast<std::size_t>(node)] = 0;
    open.push({0, node});
    while (!open.empty()) {
        const auto [cost, at] = open.top();
        open.pop();
        if (cost > costs[static_cast<std::size_t>(at)])
            continue;
        for (const Step& step : steps(at)) {
            int& known = costs[static_cast<std::size_t>(step.to)];
            if (cost + step.cost < known) {
                known = cost + step.cost;
                open.push({known, step.to});
            }
        }
    }
    return costs;
}

Autopilot::Autopilot(const MowingGraph& graph) : graph_(graph), wasMown_(Map::cellCount)
{
    for (int cell = 0; cell < Map::cellCount; ++cell)
        wasMown_[static_cast<std::size_t>(cell)] = Game::gameState().mownFlags[static_cast<std::size_t>(cell)] != 0;
}

std::set<sf::Keyboard::Key> Autopilot::keysForNextFrame()
{
    noteRegrowth();
    if (++framesSincePlan_ >= planInterval)
        replan_ = true;
    const Game::Player& mower = Game::player();
    const sf::Vector2f at{mower.x, mower.y};
    if (waypoint_ < 0)
        waypoint_ = graph_.nearestNode(at);
    sf::Vector2f to = graph_.position(waypoint_);
    if (std::abs(to.x - at.x) <= arrivalTolerance && std::abs(to.y - at.y) <= arrivalTolerance) {
        const int next = nextWaypoint(waypoint_);
        if (next == waypoint_)
            return {};
        lastStep_ = directionOf(waypoint_, next);
        waypoint_ = next;
        to = graph_.position(waypoint_);
    }

    // The key direction that leaves the mower nearest the waypoint.
    const float stepLength = Game::drivingSpeed / framesPerSecond;
    const Direction* best = nullptr;
    float bestDistance = std::hypot(to.x - at.x, to.y - at.y);
    for (const Direction& d : directions()) {
        const float scale = d.dx != 0 && d.dy != 0 ? stepLength / std::sqrt(2.f) : stepLength;
        const float distance = std::hypot(to.x - at.x - d.dx * scale, to.y - at.y - d.dy * scale);
        if (distance < bestDistance) {
            best = &d;
            bestDistance = distance;
        }
    }
    return best ? best->keys : std::set<sf::Keyboard::Key>{};
}

void Autopilot::noteRegrowth()
{
    const auto& mown = Game::gameState().mownFlags;
    for (int cell = 0; cell < Map::cellCount; ++cell) {
        const bool now = mown[static_cast<std::size_t>(cell)] != 0;
        if (wasMown_[static_cast<std::size_t>(cell)] && !now)
            replan_ = true;
        wasMown_[static_cast<std::size_t>(cell)] = now;
    }
}

bool Autopilot::stopDone(const Stop& stop) const
{
    return std::none_of(stop.cells.begin(), stop.cells.end(), isUncutGrass);
}

int Autopilot::nextWaypoint(int from)
{
    if (replan_)
        plan(from);
    const auto dropDone = [&] {
        stops_.erase(stops_.begin(),
                     std::find_if(stops_.begin(), stops_.end(), [&](const Stop& s) { return !stopDone(s); }));
    };
    dropDone();
    if (!stops_.empty() && stops_.front().shaded && stops_.front().node == from)
        return from;  // wait for the cloud to pass
    if (!stops_.empty() && stops_.front().node == from) {
        // Standing on it without cutting it: the plan is wrong, so make another.
        stops_.erase(stops_.begin());
        dropDone();
    }
    if (stops_.empty()) {
        plan(from);
        dropDone();
        if (stops_.empty() || stops_.front().node == from)
            return from;
    }

    goal_ = stops_.front().node;
    const std::vector<int>& toStop = graph_.costsTo(goal_);
    int best = from;
    int bestCost = MowingGraph::unreachable;
    int bestUncut = 0;
    bool bestStraight = false;
    for (const MowingGraph::Step& step : graph_.steps(from)) {
        const int rest = toStop[static_cast<std::size_t>(step.to)];
        if (rest == MowingGraph::unreachable)
            continue;
        const int cost = step.cost + rest;
        const std::vector<int>& cells = graph_.cellsCut(step.to);
        const int uncut = static_cast<int>(std::count_if(cells.begin(), cells.end(), isUncutGrass));
        const bool straight = directionOf(from, step.to) == lastStep_;
        // Among equally short ways, the one that cuts more, then the one
        // that goes straight on.
        const bool better = uncut > bestUncut || (uncut == bestUncut && straight && !bestStraight);
        if (cost < bestCost || (cost == bestCost && better)) {
            best = step.to;
            bestCost = cost;
            bestUncut = uncut;
            bestStraight = straight;
        }
    }
    return best;
}

void Autopilot::plan(int from)
{
    replan_ = false;
    framesSincePlan_ = 0;
    stops_.clear();

    std::vector<bool> uncovered(Map::cellCount);
    for (int cell = 0; cell < Map::cellCount; ++cell)
        uncovered[static_cast<std::size_t>(cell)] = isUncutGrass(cell);
    const std::vector<int>& reach = graph_.costsTo(from);

    // Places that cut most at once first: a square of four where the lawn
    // is open, pairs and single cells in the narrow parts.
    for (int wanted = graph_.widestCut(); wanted >= 1; --wanted)
        for (int node = 0; node < MowingGraph::nodeCount; ++node) {
            if (reach[static_cast<std::size_t>(node)] == MowingGraph::unreachable)
                continue;
            std::vector<int> cells;
            for (const int cell : graph_.cellsCut(node))
                if (uncovered[static_cast<std::size_t>(cell)])
                    cells.push_back(cell);
            if (static_cast<int>(cells.size()) != wanted)
                continue;
            for (const int cell : cells)
                uncovered[static_cast<std::size_t>(cell)] = false;
            stops_.push_back({node, std::move(cells)});
        }

    if (stops_.size() <= dashStops) {
        const std::vector<Stop> all = stops_;
        if (secondsFor(orderStops(from)) <= dashSeconds)
            return;
        stops_ = all;
    }

    // What the clouds are about to shade waits; when nothing else is left,
    // the mower goes where the shade lifts first and waits there.
    const std::vector<Shade> shade = shadeAhead(shadeHorizon);
    float soonest = std::numeric_limits<float>::infinity();
    std::size_t soonestStop = 0;
    std::vector<Stop> shaded;
    std::vector<Stop> open;
    for (Stop& stop : stops_) {
        float lifts = -1.f;
        for (const int cell : stop.cells)
            if (shade[static_cast<std::size_t>(cell)].ahead(shadeHorizon))
                lifts = std::max(lifts, shade[static_cast<std::size_t>(cell)].lifts());
        stop.shaded = lifts >= 0.f;
        if (!stop.shaded) {
            open.push_back(std::move(stop));
            continue;
        }
        const float arrival = secondsFor(reach[static_cast<std::size_t>(stop.node)]);
        if (std::max(lifts, arrival) < soonest) {
            soonest = std::max(lifts, arrival);
            soonestStop = shaded.size();
        }
        shaded.push_back(std::move(stop));
    }
    stops_ = std::move(open);
    orderStops(from);
    if (stops_.empty() && !shaded.empty()) {
        const auto goal = std::find_if(shaded.begin(), shaded.end(), [&](const Stop& s) { return s.node == goal_; });
        stops_.push_back(std::move(goal != shaded.end() ? *goal : shaded[soonestStop]));
    }
}

int Autopilot::orderStops(int from)
{
    const auto goal = std::find_if(stops_.begin(), stops_.end(), [&](const Stop& s) { return s.node == goal_; });
    if (goal == stops_.end())
        return orderRound(from, stops_);
    Stop first = std::move(*goal);
    stops_.erase(goal);
    const int cost = graph_.costsTo(first.node)[static_cast<std::size_t>(from)] + orderRound(first.node, stops_);
    stops_.insert(stops_.begin(), std::move(first));
    return cost;
}

int Autopilot::orderRound(int from, std::vector<Stop>& stops) const
{
    const std::size_t n = stops.size();
    if (n == 0)
        return 0;
    if (n == 1)
        return graph_.costsTo(stops.front().node)[static_cast<std::size_t>(from)];
    // Place 0 is where the mower stands; the round is open at its end.
    std::vector<int> places{from};
    for (const Stop& stop : stops)
        places.push_back(stop.node);
    std::vector<std::vector<int>> cost(n + 1, std::vector<int>(n + 1));
    for (std::size_t b = 1; b <= n; ++b) {
        const std::vector<int>& to = graph_.costsTo(places[b]);
        for (std::size_t a = 0; a <= n; ++a)
            cost[a][b] = cost[b][a] = to[static_cast<std::size_t>(places[a])];
    }

    // Nearest first, then untangled.
    std::vector<std::size_t> order{0};
    std::vector<bool> taken(n + 1);
    taken[0] = true;
    for (std::size_t k = 0; k < n; ++k) {
        std::size_t next = 0;
        for (std::size_t c = 1; c <= n; ++c)
            if (!taken[c] && (next == 0 || cost[order.back()][c] < cost[order.back()][next]))
                next = c;
        taken[next] = true;
        order.push_back(next);
    }
    const auto link = [&](std::size_t i, std::size_t j) {
        return j > n ? 0 : cost[order[i]][order[j]];
    };
    for (bool improved = true; improved;) {
        improved = false;
        // Reversing a stretch.
        for (std::size_t i = 1; i < n; ++i)
            for (std::size_t j = i + 1; j <= n; ++j) {
                const int before = link(i - 1, i) + link(j, j + 1);
                const int after = cost[order[i - 1]][order[j]] + (j + 1 > n ? 0 : cost[order[i]][order[j + 1]]);
                if (after < before) {
                    std::reverse(order.begin() + static_cast<std::ptrdiff_t>(i),
                                 order.begin() + static_cast<std::ptrdiff_t>(j) + 1);
                    improved = true;
                }
            }
        // Moving a short stretch elsewhere.
        for (std::size_t length = 1; length <= 3; ++length)
            for (std::size_t i = 1; i + length - 1 <= n; ++i) {
                const std::size_t j = i + length - 1;
                const int closed = j + 1 > n ? 0 : cost[order[i - 1]][order[j + 1]];
                const int removed = link(i - 1, i) + link(j, j + 1) - closed;
                std::size_t bestAt = 0;
                bool bestReversed = false;
                int bestGain = 0;
                for (std::size_t k = 0; k <= n; ++k) {
                    if (k + 1 >= i && k <= j)
                        continue;
                    const int gap = link(k, k + 1);
                    const std::size_t after = k + 1;
                    const int forward = cost[order[k]][order[i]] + (after > n ? 0 : cost[order[j]][order[after]]);
                    const int backward = cost[order[k]][order[j]] + (after > n ? 0 : cost[order[i]][order[after]]);
                    const int gain = removed - (std::min(forward, backward) - gap);
                    if (gain > bestGain) {
                        bestGain = gain;
                        bestAt = k;
                        bestReversed = backward < forward;
                    }
                }
                if (bestGain <= 0)
                    continue;
                std::vector<std::size_t> stretch(order.begin() + static_cast<std::ptrdiff_t>(i),
                                                 order.begin() + static_cast<std::ptrdiff_t>(j) + 1);
                if (bestReversed)
                    std::reverse(stretch.begin(), stretch.end());
                order.erase(order.begin() + static_cast<std::ptrdiff_t>(i),
                            order.begin() + static_cast<std::ptrdiff_t>(j) + 1);
                const std::size_t insertAt = bestAt < i ? bestAt + 1 : bestAt + 1 - length;
                order.insert(order.begin() + static_cast<std::ptrdiff_t>(insertAt), stretch.begin(), stretch.end());
                improved = true;
            }
    }

    std::vector<Stop> ordered;
    for (std::size_t k = 1; k <= n; ++k)
        ordered.push_back(std::move(stops[order[k] - 1]));
    stops = std::move(ordered);
    int total = 0;
    for (std::size_t k = 1; k <= n; ++k)
        total += cost[order[k - 1]][order[k]];
    return total;
}

} // namespace test
