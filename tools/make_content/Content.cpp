#include "Content.hpp"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace content {

namespace {

std::vector<Part>& registry()
{
    static std::vector<Part> all;
    return all;
}

fs::path existing(const fs::path& root, std::string_view relative, const char* what)
{
    fs::path path = root / fs::path(relative);
    if (!fs::exists(path))
        throw std::runtime_error(std::string(what) + " not found: " + path.string());
    return path;
}

} // namespace

fs::path Context::font(std::string_view relative) const { return existing(fonts, relative, "font"); }

fs::path Context::source(std::string_view relative) const { return existing(sources, relative, "content source"); }

fs::path Context::output(std::string_view relative) const
{
    std::string native(relative);
    std::replace(native.begin(), native.end(), '\\', '/');
    fs::path path = out / native;
    fs::create_directories(path.parent_path());
    return path;
}

bool registerPart(Part part)
{
    registry().push_back(std::move(part));
    return true;
}

std::vector<Part> parts()
{
    std::vector<Part> sorted = registry();
    std::sort(sorted.begin(), sorted.end(), [](const Part& a, const Part& b) { return a.name < b.name; });
    return sorted;
}

std::string readTextFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& path, std::string_view bytes)
{
    if (path.has_parent_path())
        fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace content
