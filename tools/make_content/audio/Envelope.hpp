#pragma once
// Loudness (or any other control) over time.

#include <initializer_list>
#include <vector>

namespace content::synth {

// Straight lines between points given as (seconds, level), in time order;
// the first level holds before the first point and the last after the last.
class Envelope {
public:
    struct Point {
        double time;
        double level;
    };

    Envelope(std::initializer_list<Point> points);
    explicit Envelope(std::vector<Point> points);

    double at(double seconds) const;
    double duration() const;

private:
    std::vector<Point> points_;
};

// A struck or plucked thing: rises over `attack` seconds, then dies away
// exponentially, 60 dB down `decay` seconds after the attack.  Zero before 0.
double strike(double seconds, double attack, double decay);

// 0 to 1 along a smooth S between `from` and `to` seconds.
double smoothStep(double seconds, double from, double to);

} // namespace content::synth
