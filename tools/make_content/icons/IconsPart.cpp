// The desktop icons, made by their own generator (make_icons) into the
// build folder: they go to the icon theme when installed, not to base/.

#include "Content.hpp"
#include "icons/AppIcon.hpp"

#include <stdexcept>
#include <string>

namespace {

void makeIcons(const content::Context& context)
{
    for (const int size : {256, 64}) {
        const std::string name = "kelvane-" + std::to_string(size) + ".png";
        const std::string path = context.output(name).string();
        if (!icons::paintAppIcon(size).toImage().saveToFile(path))
            throw std::runtime_error("cannot write " + path);
    }
}

const bool registered = content::registerPart({"icons", makeIcons});

} // namespace
