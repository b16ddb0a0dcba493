#pragma once
// The families of the garden's tileset, each drawn into the sheet by its
// own file.  Indices are fixed: levels are laid out with them.

namespace tiles {

class Sheet;

void drawGrass(Sheet& sheet);       // 0-9: uncut grass and its variants
void drawLawn(Sheet& sheet);        // 959-1006, 1023: the mown lawn with its edges
void drawLand(Sheet& sheet);        // 32-41: single ground tiles
void drawPaths(Sheet& sheet);       // 64-127: soil, gravel, paved and stepping-stone paths
void drawSurfaces(Sheet& sheet);    // 128-319: sandpit, driveway and patio
void drawBarriers(Sheet& sheet);    // 320-383: hedges, fences and walls
void drawBeds(Sheet& sheet);        // 384-430: flower beds
void drawRoofs(Sheet& sheet);       // 448-494: the house's roof
void drawTrees(Sheet& sheet);       // 512-518 and the big oak, tree group and copse blocks
void drawObjects(Sheet& sheet);     // 519-534: stones and garden things; rock, table, trampoline blocks
void drawBuildings(Sheet& sheet);   // the shed and greenhouse blocks
void drawWater(Sheet& sheet);       // 640-686, 704-719: ponds and streams; the fountain block

} // namespace tiles
