#pragma once
// The help screen: "help.txt" of the data folder in a read-only text view.

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

namespace Frontend {

// Shows the help text until "Done" (or Return); does nothing when the file
// cannot be read.
void showHelp();

// Where the text view sits in a view of this size.
sf::FloatRect helpTextFrame(sf::Vector2f view);

} // namespace Frontend
