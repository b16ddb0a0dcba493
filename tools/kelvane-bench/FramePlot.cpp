#include "FramePlot.hpp"

#include "engine/Text.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iomanip>
#include <sstream>

namespace bench {
namespace {

constexpr unsigned width = 1000, height = 520;
constexpr float left = 70.f, right = 20.f, top = 50.f, bottom = 60.f;
constexpr float plotWidth = width - left - right, plotHeight = height - top - bottom;
constexpr double budgetMs = 1000.0 / 60.0;
const sf::Color paper(250, 250, 250), ink(30, 30, 30), grid(215, 215, 215), budget(200, 40, 40),
    points(30, 90, 180);

std::string number(double value, int decimals)
{
    std::ostringstream out;
    out << std::fixed << std::setprecision(decimals) << value;
    return out.str();
}

void label(sf::RenderTarget& target, const std::string& text, sf::Vector2f at, float alignX, unsigned size = 14,
           sf::Color colour = ink)
{
    sf::Text t(text, Text::standardFont(), size);
    t.setFillColor(colour);
    const sf::FloatRect b = t.getLocalBounds();
    t.setPosition(std::round(at.x - alignX * (b.left + b.width)), std::round(at.y - b.top - b.height / 2.f));
    target.draw(t);
}

void line(sf::RenderTarget& target, sf::Vector2f from, sf::Vector2f to, sf::Color colour)
{
    const sf::Vertex v[] = {{from, colour}, {to, colour}};
    target.draw(v, 2, sf::Lines);
}

// A step of 1, 2 or 5 times a power of ten giving about `count` divisions.
double niceStep(double range, int count)
{
    const double raw = range / count;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * power)
            return m * power;
    return 10.0 * power;
}

} // namespace

bool writeFramePlot(const std::vector<double>& frameTimesMs, const std::string& title,
                    const std::filesystem::path& path, std::string& error)
{
    sf::RenderTexture canvas;
    if (frameTimesMs.empty() || !canvas.create(width, height)) {
        error = frameTimesMs.empty() ? "no frames to plot" : "cannot make a drawing surface";
        return false;
    }
    canvas.clear(paper);

    const double highest = *std::max_element(frameTimesMs.begin(), frameTimesMs.end());
    const double yStep = niceStep(std::max(highest, budgetMs) * 1.1, 8);
    const double yTop = std::ceil(std::max(highest, budgetMs) * 1.05 / yStep) * yStep;
    const auto n = static_cast<double>(frameTimesMs.size());
    const auto toX = [&](double frame) { return left + static_cast<float>(frame / n) * plotWidth; };
    const auto toY = [&](double ms) { return top + plotHeight - static_cast<float>(ms / yTop) * plotHeight; };

    for (double ms = 0.0; ms <= yTop + yStep / 2; ms += yStep) {
        line(canvas, {left, toY(ms)}, {left + plotWidth, toY(ms)}, grid);
        label(canvas, number(ms, yStep < 1.0 ? 1 : 0), {left - 8.f, toY(ms)}, 1.f);
    }
    const double xStep = niceStep(n, 10);
    for (double frame = 0.0; frame <= n + xStep / 2; frame += xStep) {
        line(canvas, {toX(frame), top + plotHeight}, {toX(frame), top + plotHeight + 5.f}, ink);
        label(canvas, number(frame, 0), {toX(frame), top + plotHeight + 16.f}, 0.5f);
    }
    line(canvas, {left, top}, {left, top + plotHeight}, ink);
    line(canvas, {left, top + plotHeight}, {left + plotWidth, top + plotHeight}, ink);

    line(canvas, {left, toY(budgetMs)}, {left + plotWidth, toY(budgetMs)}, budget);
    label(canvas, "16.7 ms: 60 frames a second", {left + plotWidth - 4.f, toY(budgetMs) - 10.f}, 1.f, 13, budget);

    sf::VertexArray dots(sf::Quads);
    for (std::size_t i = 0; i < frameTimesMs.size(); ++i) {
        const sf::Vector2f at(toX(static_cast<double>(i) + 0.5), toY(frameTimesMs[i]));
        dots.append({{at.x - 1.5f, at.y - 1.5f}, points});
        dots.append({{at.x + 1.5f, at.y - 1.5f}, points});
        dots.append({{at.x + 1.5f, at.y + 1.5f}, points});
        dots.append({{at.x - 1.5f, at.y + 1.5f}, points});
    }
    canvas.draw(dots);

    label(canvas, title, {left, top / 2.f}, 0.f, 18);
    label(canvas, "frame", {left + plotWidth / 2.f, height - 18.f}, 0.5f);
    sf::Text axis("ms", Text::standardFont(), 14);
    axis.setFillColor(ink);
    axis.setPosition(12.f, top + plotHeight / 2.f);
    canvas.draw(axis);
    canvas.display();

    // The picture's format follows the name, so the temporary keeps it.
    const std::filesystem::path temporary = path.parent_path() / (".writing-" + path.filename().string());
    if (!canvas.getTexture().copyToImage().saveToFile(temporary.string())) {
        error = "cannot write " + temporary.string();
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        error = "cannot write " + path.string();
        return false;
    }
    return true;
}

} // namespace bench
