#include "storage/IniFile.hpp"

#include "platform/FileSystem.hpp"
#include "storage/SafeFile.hpp"
#include "platform/TextCase.hpp"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace {

// White space of the classic locale.
bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The number a hand-edited value holds, ready for from_chars: surrounding
// white space and a leading '+' dropped.  Only plain decimal digits, with a
// point and an exponent where fractions are allowed; hex, "inf", "nan",
// trailing text and empty values hold no number.
std::optional<std::string_view> numberText(std::string_view text, bool fraction)
{
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    std::size_t pos = 0;
    if (text.starts_with('+'))
        text.remove_prefix(1);
    else if (text.starts_with('-'))
        pos = 1;
    const auto nextIs = [&](std::string_view chars) {
        const std::string_view rest = text.substr(pos);
        return !rest.empty() && chars.find(rest.front()) != std::string_view::npos;
    };
    const auto skipDigits = [&] {
        const std::size_t start = pos;
        while (nextIs("0123456789"))
            ++pos;
        return pos - start;
    };
    std::size_t digits = skipDigits();
    if (fraction && nextIs(".")) {
        ++pos;
        digits += skipDigits();
    }
    if (digits == 0)
        return std::nullopt;
    if (fraction && nextIs("eE")) {
        ++pos;
        if (nextIs("+-"))
            ++pos;
        if (skipDigits() == 0)
            return std::nullopt;
    }
    if (pos != text.size())
        return std::nullopt;
    return text;
}

} // namespace

const IniFile::Section* IniFile::current() const
{
    if (currentSection < 0 || static_cast<std::size_t>(currentSection) >= sections.size())
        return nullptr;
    return &sections[static_cast<std::size_t>(currentSection)];
}

IniFile::Section* IniFile::current()
{
    return const_cast<Section*>(static_cast<const IniFile*>(this)->current());
}

bool IniFile::load(const std::string& path)
{
    platform::FileHandle file = platform::openFile(path, "r");
    if (!file) {
        lastError = "IniFile::load: Unable to read from " + path;
        return false;
    }

    // Parse into a copy so that a read error leaves this object unchanged.
    IniFile parsed(*this);
    std::string line;
    bool atEnd = false;
    while (!atEnd) {
        line.clear();
        int c;
        while ((c = std::getc(file.get())) != EOF && c != '\n')
            line.push_back(static_cast<char>(c));
        if (c == EOF) {
            atEnd = true;
            if (line.empty())
                break;
        }
        // Text mode: a carriage return before the newline is not part of the
        // line.
        if (c == '\n' && !line.empty() && line.back() == '\r')
            line.pop_back();
        parsed.parseLine(line);
    }
    if (std::ferror(file.get())) {
        lastError = "IniFile::load: Unable to read from " + path;
        return false;
    }

    sections = std::move(parsed.sections);
    currentSection = parsed.currentSection;
    fileName = path;
    return true;
}

void IniFile::parseLine(const std::string& line)
{
    if (line.empty())
        return;
    if (line[0] == '[') {
        std::string name;
        for (char c : line)
            if (c != '[' && c != ']')
                name.push_back(c);
        selectSection(name);
        return;
    }
    if (line[0] == '#' || line[0] == ';')
        return;
    Section* section = current();
    if (!section)
        return;

    std::size_t pos = 0;
    while (pos < line.size() && isSpace(line[pos]))
        ++pos;
    const std::size_t equals = line.find('=', pos);
    if (equals == std::string::npos)
        return;  // neither header, comment nor key line: ignored
    std::string key = line.substr(pos, equals - pos);
    pos = equals + 1;
    while (pos < line.size() && (isSpace(line[pos]) || line[pos] == '='))
        ++pos;
    std::string value = line.substr(pos);
    while (!key.empty() && key.back() == ' ')
        key.pop_back();
    if (key.empty())
        return;
    // Appended as read: a repeated key keeps both entries.
    section->entries.emplace_back(std::move(key), std::move(value));
}

std::string IniFile::toText() const
{
    std::string text;
    for (const Section& section : sections) {
        text += '\n';
        text += '[';
        text += section.name;
        text += "]\n";
        if (!section.comment.empty()) {
            text += "; ";
            for (char c : section.comment) {
                text += c;
                if (c == '\n')
                    text += "; ";
            }
            text += '\n';
        }
        for (const auto& [key, value] : section.entries) {
            text += key;
            text += '=';
            text += value;
            text += '\n';
        }
    }
    return text;
}

bool IniFile::save(const std::string& path)
{
    SafeFile out;
    if (!out.open(path, SafeFile::Mode::Text) || !out.write(toText()) || !out.commit()) {
        lastError = "Unable to write to " + path;
        return false;
    }
    fileName = path;
    return true;
}

void IniFile::selectSection(const std::string& name)
{
    if (mergeSections) {
        for (std::size_t i = 0; i < sections.size(); ++i) {
            if (sections[i].name == name) {
                currentSection = static_cast<std::int32_t>(i);
                return;
            }
        }
    }
    sections.push_back(Section{name, {}, {}});
    currentSection = static_cast<std::int32_t>(sections.size() - 1);
}

void IniFile::setComment(const std::string& comment)
{
    if (Section* section = current())
        section->comment = comment;
}

const std::string* IniFile::findValue(const std::string& key) const
{
    const Section* section = current();
    if (!section)
        return nullptr;
    for (const auto& entry : section->entries)
        if (platform::equalIgnoringCase(entry.first, key))
            return &entry.second;
    return nullptr;
}

std::string IniFile::getString(const std::string& key) const
{
    const std::string* value = findValue(key);
    return value ? *value : std::string();
}

std::string IniFile::getString(const std::string& key, const std::string& defaultValue) const
{
    const std::string* value = findValue(key);
    return (value && !value->empty()) ? *value : defaultValue;
}

bool IniFile::getBool(const std::string& key, bool defaultValue) const
{
    const std::string* value = findValue(key);
    if (!value || value->empty())
        return defaultValue;
    return platform::equalIgnoringCase(*value, "true") || platform::equalIgnoringCase(*value, "yes") ||
           *value == "1";
}

std::int32_t IniFile::getInt(const std::string& key, std::int32_t defaultValue) const
{
    const std::string* value = findValue(key);
    if (!value)
        return defaultValue;
    const std::optional<std::string_view> text = numberText(*value, false);
    if (!text)
        return defaultValue;
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), number, 10);
    if (error != std::errc() || end != text->data() + text->size())
        return defaultValue;
    return number;
}

float IniFile::getFloat(const std::string& key, float defaultValue) const
{
    const std::string* value = findValue(key);
    if (!value)
        return defaultValue;
    const std::optional<std::string_view> text = numberText(*value, true);
    if (!text)
        return defaultValue;
    float number = 0.0f;
    const auto [end, error] =
        std::from_chars(text->data(), text->data() + text->size(), number, std::chars_format::general);
    if (error != std::errc() || end != text->data() + text->size() || !std::isfinite(number))
        return defaultValue;
    return number;
}

void IniFile::setString(const std::string& key, const std::string& value)
{
    Section* section = current();
    if (!section)
        return;
    if (replaceExistingKeys) {
        for (auto& entry : section->entries) {
            if (platform::equalIgnoringCase(entry.first, key)) {
                entry.second = value;
                return;
            }
        }
    }
    section->entries.emplace_back(key, value);
}

void IniFile::setBool(const std::string& key, bool value)
{
    setString(key, value ? "True" : "False");
}

void IniFile::setInt(const std::string& key, std::int32_t value)
{
    setString(key, std::to_string(value));
}

void IniFile::setFloat(const std::string& key, float value)
{
    // "%f" of the largest float needs 47 characters.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(value));
    setString(key, buffer);
}
