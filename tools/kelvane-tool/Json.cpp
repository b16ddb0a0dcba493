#include "Json.hpp"

#include <array>
#include <cmath>
#include <cstdio>

namespace tool {

std::string quote(std::string_view text)
{
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c >= 0x7f) {
                std::array<char, 8> escaped{};
                std::snprintf(escaped.data(), escaped.size(), "\\u%04x", c);
                out += escaped.data();
            } else {
                out += ch;
            }
        }
    }
    return out + "\"";
}

void Json::separate()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasValue_.empty()) {
        if (hasValue_.back())
            out_ += ',';
        hasValue_.back() = true;
    }
}

Json& Json::beginObject()
{
    separate();
    out_ += '{';
    hasValue_.push_back(false);
    return *this;
}

Json& Json::endObject()
{
    out_ += '}';
    hasValue_.pop_back();
    return *this;
}

Json& Json::beginArray()
{
    separate();
    out_ += '[';
    hasValue_.push_back(false);
    return *this;
}

Json& Json::endArray()
{
    out_ += ']';
    hasValue_.pop_back();
    return *this;
}

Json& Json::key(std::string_view name)
{
    separate();
    out_ += quote(name);
    out_ += ':';
    afterKey_ = true;
    return *this;
}

Json& Json::value(std::string_view text)
{
    separate();
    out_ += quote(text);
    return *this;
}

Json& Json::value(std::int64_t number)
{
    separate();
    out_ += std::to_string(number);
    return *this;
}

Json& Json::value(double number)
{
    separate();
    if (!std::isfinite(number)) {
        out_ += "null";
        return *this;
    }
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.9g", number);
    out_ += text.data();
    return *this;
}

Json& Json::value(bool flag)
{
    separate();
    out_ += flag ? "true" : "false";
    return *this;
}

} // namespace tool
