#pragma once
// What the benchmark found, as one JSON object and as a table to read.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bench {

struct Figure {
    std::string key;
    // A figure with parts ("median", "p95") is one object of them in JSON.
    std::string part;
    std::optional<double> value;  // nothing: not measured
    int decimals = 2;
    std::string unit;
    std::string budget;  // what it should keep to, for the reader
};

struct Report {
    std::vector<Figure> figures;
    // How the figures were got: level, machine, settings.
    std::vector<std::pair<std::string, std::string>> notes;

    void add(Figure figure) { figures.push_back(std::move(figure)); }
    void note(std::string key, std::string value) { notes.emplace_back(std::move(key), std::move(value)); }
    // The keys of figures that have no value.
    std::vector<std::string> missing() const;
};

// Figures in the order given, parts grouped under their key, a missing
// value as null; then the notes, as strings.
std::string toJson(const Report& report);
std::string toTable(const Report& report);

} // namespace bench
