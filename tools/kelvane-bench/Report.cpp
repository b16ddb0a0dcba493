#include "Report.hpp"

#include <iomanip>
#include <sstream>

namespace bench {
namespace {

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr const char* hex = "0123456789abcdef";
            out += "\\u00";
            out += hex[static_cast<unsigned char>(c) >> 4];
            out += hex[c & 0xf];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string valueText(const Figure& f)
{
    if (!f.value)
        return "null";
    std::ostringstream out;
    out << std::fixed << std::setprecision(f.decimals) << *f.value;
    return out.str();
}

} // namespace

std::vector<std::string> Report::missing() const
{
    std::vector<std::string> keys;
    for (const Figure& f : figures)
        if (!f.value)
            keys.push_back(f.part.empty() ? f.key : f.key + "." + f.part);
    return keys;
}

std::string toJson(const Report& report)
{
    std::ostringstream out;
    out << "{";
    const char* separator = "\n  ";
    for (std::size_t i = 0; i < report.figures.size(); ++i) {
        const Figure& f = report.figures[i];
        out << separator;
        separator = ",\n  ";
        if (f.part.empty()) {
            out << quoted(f.key) << ": " << valueText(f);
            continue;
        }
        out << quoted(f.key) << ": {";
        const char* inner = "";
        for (; i < report.figures.size() && report.figures[i].key == f.key; ++i) {
            out << inner << quoted(report.figures[i].part) << ": " << valueText(report.figures[i]);
            inner = ", ";
        }
        --i;
        out << "}";
    }
    for (const auto& [key, value] : report.notes) {
        out << separator << quoted(key) << ": " << quoted(value);
        separator = ",\n  ";
    }
    out << "\n}\n";
    return out.str();
}

std::string toTable(const Report& report)
{
    std::ostringstream out;
    out << std::left << std::setw(30) << "figure" << std::right << std::setw(12) << "value" << "  "
        << std::left << std::setw(6) << "unit" << "budget\n";
    for (const Figure& f : report.figures) {
        const std::string name = f.part.empty() ? f.key : f.key + " " + f.part;
        out << std::left << std::setw(30) << name << std::right << std::setw(12)
            << (f.value ? valueText(f) : "missing") << "  " << std::left << std::setw(6) << f.unit << f.budget
            << "\n";
    }
    for (const auto& [key, value] : report.notes)
        out << key << ": " << value << "\n";
    return out.str();
}

} // namespace bench
