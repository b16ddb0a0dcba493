#pragma once
// Text settings files: named sections of key=value lines.
//
// The whole file is held in memory as an ordered list of sections, each an
// ordered list of (key, value) pairs.  Reading and writing go through a
// current section: select a section by name, then get or set keys in it.
// Section names are compared exactly; keys case-insensitively (ASCII).
//
// File syntax read by load():
//   [name]        section header; every '[' and ']' on the line is removed
//                 and the rest, untrimmed, is the name
//   #... or ;...  comment (only when '#' or ';' is the first character)
//   key=value     leading white space skipped; spaces before '=' dropped from
//                 the key; white space and further '=' after the first '='
//                 skipped; the rest of the line is the value, as it stands
// Empty lines, key lines before any section is current, lines whose key is
// empty and lines holding no '=' at all are ignored.
//
// save() writes, for each section: an empty line, "[name]", the comment with
// every line prefixed "; ", then "key=value" lines.  It saves safely
// (SafeFile): the text replaces the file only when all of it was written, so
// a failed save leaves the old file intact.

#include <cstdint>
#include <cstdio>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

class IniFile {
public:
    struct Section {
        std::string name;
        std::string comment;  // may hold newlines; written on save, never read
        std::vector<std::pair<std::string, std::string>> entries;
    };

    std::string lastError;
    std::string fileName;
    std::int32_t currentSection = -1;
    std::vector<Section> sections;
    // Always true in this program.  replaceExistingKeys: setString overwrites
    // a matching key instead of adding a second entry.  mergeSections:
    // selecting an existing name selects that section instead of adding one.
    bool replaceExistingKeys = true;
    bool mergeSections = true;

    IniFile() = default;

    // Parses the file and merges what it holds into this object (nothing is
    // cleared first; currentSection keeps its value at the start).  False,
    // with lastError "IniFile::load: Unable to read from <path>", when the
    // file cannot be opened or read; the object is then unchanged.
    bool load(const std::string& path);

    // Writes every section.  False, with lastError "Unable to write to
    // <path>", when the file cannot be written; an existing file is then left
    // as it was.
    bool save(const std::string& path);

    // Selects the section with exactly this name, appending a new empty one
    // when there is none.
    void selectSection(const std::string& name);

    // printf-style: the name is formatted into 1024 characters (at most 1023
    // used) and selected as above, e.g. selectSection("map%d", index).
    template <typename First, typename... Rest>
    void selectSection(const char* format, First first, Rest... rest)
    {
        static_assert(((std::is_arithmetic_v<First> || std::is_pointer_v<First>) && ... &&
                       (std::is_arithmetic_v<Rest> || std::is_pointer_v<Rest>)),
                      "selectSection format arguments must be numbers or C strings");
        char buffer[1024];
        const int n = std::snprintf(buffer, sizeof buffer, format, first, rest...);
        selectSection(std::string(n > 0 ? buffer : ""));
    }

    // Sets the current section's comment; nothing when no section is current.
    void setComment(const std::string& comment);

    // Value of the first entry whose key matches; empty when there is none or
    // no section is current.
    std::string getString(const std::string& key) const;
    // As above, but the default when the value is empty.
    std::string getString(const std::string& key, const std::string& defaultValue) const;
    // Empty or missing: the default.  Otherwise true exactly for "true",
    // "yes" or "1" in any letter case.
    bool getBool(const std::string& key, bool defaultValue) const;
    // A decimal integer in the 32-bit range, with an optional sign and white
    // space around it; anything else (empty, missing, hex, a fraction,
    // trailing text, out of range) counts as absent and gives the default.
    std::int32_t getInt(const std::string& key, std::int32_t defaultValue) const;
    // A finite decimal number ("0.5", "-2", ".75", "1e-3"), with an optional
    // sign and white space around it; anything else ("nan", "inf", hex,
    // trailing text, beyond the float range) gives the default.
    float getFloat(const std::string& key, float defaultValue) const;

    // Replaces the value of the matching key (the stored key keeps its letter
    // case) or appends (key, value); nothing when no section is current.
    void setString(const std::string& key, const std::string& value);
    void setBool(const std::string& key, bool value);            // "True" / "False"
    void setInt(const std::string& key, std::int32_t value);     // "-12"
    void setFloat(const std::string& key, float value);          // "%f": "0.500000"

    // The text save() writes.
    std::string toText() const;

private:
    const Section* current() const;
    Section* current();
    const std::string* findValue(const std::string& key) const;
    void parseLine(const std::string& line);
};
