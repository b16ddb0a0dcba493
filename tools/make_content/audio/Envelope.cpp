#include "audio/Envelope.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace content::synth {

Envelope::Envelope(std::initializer_list<Point> points) : Envelope(std::vector<Point>(points)) {}

Envelope::Envelope(std::vector<Point> points) : points_(std::move(points))
{
    if (points_.empty())
        throw std::runtime_error("an envelope needs at least one point");
    for (std::size_t i = 1; i < points_.size(); ++i)
        if (points_[i].time < points_[i - 1].time)
            throw std::runtime_error("envelope points out of time order");
}

double Envelope::at(double seconds) const
{
    if (seconds <= points_.front().time)
        return points_.front().level;
    if (seconds >= points_.back().time)
        return points_.back().level;
    const auto next = std::upper_bound(points_.begin(), points_.end(), seconds,
                                       [](double t, const Point& p) { return t < p.time; });
    const Point& b = *next;
    const Point& a = *(next - 1);
    const double span = b.time - a.time;
    return span <= 0.0 ? b.level : a.level + (b.level - a.level) * (seconds - a.time) / span;
}

double Envelope::duration() const { return points_.back().time; }

double strike(double seconds, double attack, double decay)
{
    if (seconds < 0.0)
        return 0.0;
    if (seconds < attack)
        return seconds / attack;
    // exp(-6.9) is 60 dB down.
    return std::exp(-6.9078 * (seconds - attack) / std::max(decay, 1e-6));
}

double smoothStep(double seconds, double from, double to)
{
    if (to <= from)
        return seconds < from ? 0.0 : 1.0;
    const double x = std::clamp((seconds - from) / (to - from), 0.0, 1.0);
    return x * x * (3.0 - 2.0 * x);
}

} // namespace content::synth
