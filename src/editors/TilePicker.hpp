#pragma once
// The tile picker: every tile of a tileset in the object browser, titled
// "Select Tile", opening at the given tile.

class Tileset;

namespace Editors {

// True when a tile was chosen; index then holds it, otherwise it stays.
// With allowEdit the browser offers Edit, which opens the Tile Editor on the
// tileset's file at the chosen tile and loads the tileset again afterwards,
// so the edits show.
bool pickTile(Tileset& tileset, int& index, bool allowEdit);

} // namespace Editors
