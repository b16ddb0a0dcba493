#pragma once
// The families of the garden's tileset, each drawn into the sheet by its
// own file.  Indices are fixed: levels are laid out with them.

namespace tiles {

class Sheet;

void drawGrass(Sheet& sheet);       // 0-9: uncut grass and its variants
void drawLawn(Sheet& sheet);        // 959-1006, 1023: the mown lawn with its edges

} // namespace tiles
