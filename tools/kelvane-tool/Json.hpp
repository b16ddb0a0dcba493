#pragma once
// A small JSON writer for the tool's reports: values are appended in order,
// commas and escaping are taken care of.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tool {

class Json {
public:
    Json& beginObject();
    Json& endObject();
    Json& beginArray();
    Json& endArray();
    // Inside an object: the name of the next value.
    Json& key(std::string_view name);
    Json& value(std::string_view text);
    Json& value(const char* text) { return value(std::string_view(text)); }
    Json& value(std::int64_t number);
    Json& value(int number) { return value(static_cast<std::int64_t>(number)); }
    Json& value(unsigned number) { return value(static_cast<std::int64_t>(number)); }
    Json& value(double number);
    Json& value(bool flag);

    const std::string& text() const { return out_; }

private:
    void separate();

    std::string out_;
    // Per open object or array: whether it holds a value yet.
    std::vector<bool> hasValue_;
    bool afterKey_ = false;
};

// Text as a JSON string literal; bytes of 128 and above (the game's 8-bit
// texts) are written as \u00XX so the output is always valid UTF-8.
std::string quote(std::string_view text);

} // namespace tool
