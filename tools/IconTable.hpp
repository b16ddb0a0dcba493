#pragma once
// Which picture each icon number of the engine's icon sheet shows.  Every
// picture is a glyph of the Material Icons font; numbers not listed stay
// empty.  Icon 140, the toolbar separator, is drawn in code and is not here.

#include "engine/Icons.hpp"

#include <array>
#include <cstdint>

namespace engine_textures {

// How the glyph is turned before it is fitted into its cell.
enum class Turn : std::uint8_t {
    none,
    quarterClockwise,
    mirrored,  // left and right swapped
};

// A bold arrow in the bottom-right corner, which tells "import" and
// "export" apart on the same picture.
enum class Badge : std::uint8_t {
    none,
    in,   // arrow down
    out,  // arrow up
};

struct IconGlyph {
    int icon;
    char32_t glyph;
    Turn turn = Turn::none;
    Badge badge = Badge::none;
};

using Icons::separatorIcon;

inline constexpr std::array iconGlyphs{
    IconGlyph{2, 0xe7fd},                              // person: map author
    IconGlyph{3, 0xe5c4},                              // arrow_back: back, previous tile
    IconGlyph{8, 0xe3ae},                              // brush: tile brush size
    IconGlyph{10, 0xe5cd},                             // close: cancel
    IconGlyph{11, 0xe745},                             // edit_note: title and description
    IconGlyph{15, 0xe425},                             // timer: time limit, extra time, frame time
    IconGlyph{16, 0xe422},                             // timelapse: display time of all frames
    IconGlyph{17, 0xe40a},                             // palette: colours
    IconGlyph{21, 0xe14d},                             // content_copy: copy tile
    IconGlyph{22, 0xf233},                             // groups: credits
    IconGlyph{24, 0xe872},                             // delete: delete saved game, delete frame
    IconGlyph{34, 0xe3c9},                             // edit: edit the chosen tile
    IconGlyph{38, 0xe9ba},                             // logout: exit
    IconGlyph{39, 0xe3f4, Turn::none, Badge::out},       // image + arrow out: export image
    IconGlyph{50, 0xe3e8, Turn::quarterClockwise},     // flip, turned: flip top to bottom
    IconGlyph{53, 0xe5c8},                             // arrow_forward: next tile
    IconGlyph{54, 0xe5c3},                             // apps: go to a tile picked from the grid
    IconGlyph{61, 0xe1b3},                             // gps_fixed: crosshair pointer
    IconGlyph{63, 0xe3f4, Turn::none, Badge::in},        // image + arrow in: import image
    IconGlyph{72, 0xe2c8},                             // folder_open: load
    IconGlyph{75, 0xe55b},                             // map: map editor
    IconGlyph{78, 0xe890},                             // input: import from the sibling game
    IconGlyph{80, 0xe3e8},                             // flip: mirror left to right
    IconGlyph{84, 0xe925},                             // pan_tool: hand pointer
    IconGlyph{88, 0xe89c},                             // note_add: new, add frame
    IconGlyph{89, 0xea79},                             // agriculture: play (the mower)
    IconGlyph{90, 0xe044},                             // skip_next: next frame
    IconGlyph{91, 0xe14b},                             // block: no
    IconGlyph{95, 0xe01f},                             // fast_forward: skip forward
    IconGlyph{102, 0xe8b8},                            // settings: options
    IconGlyph{103, 0xead0},                            // keyboard_double_arrow_down: next page
    IconGlyph{104, 0xeacf},                            // keyboard_double_arrow_up: previous page
    IconGlyph{106, 0xe14f},                            // content_paste: paste tile
    IconGlyph{108, 0xe034},                            // pause: pause/resume
    IconGlyph{109, 0xe045},                            // skip_previous: previous frame
    IconGlyph{110, 0xe037},                            // play_arrow: play/restart
    IconGlyph{120, 0xe0c8},                            // location_on: player start
    IconGlyph{121, 0xe020},                            // fast_rewind: skip backward
    IconGlyph{122, 0xe887},                            // help: help
    IconGlyph{123, 0xe2bd},                            // cloud: cloud count
    IconGlyph{126, 0xe9e4},                            // speed: FPS display, reload shaders
    IconGlyph{128, 0xe8ba},                            // settings_backup_restore: defaults
    IconGlyph{132, 0xe41a},                            // rotate_right: rotate
    IconGlyph{134, 0xe038},                            // play_circle_filled: run map
    IconGlyph{136, 0xe161},                            // save: save, game slot
    IconGlyph{137, 0xeb60},                            // save_as: save as
    IconGlyph{138, 0xe3c2},                            // crop_free: object bounds
    IconGlyph{144, 0xe050},                            // volume_up: audio panel
    IconGlyph{145, 0xea5c},                            // hourglass_bottom: FPS limiter
    IconGlyph{146, 0xe71c},                            // animation: sprite editor
    IconGlyph{147, 0xf205},                            // grass: mow all tiles
    IconGlyph{149, 0xe047},                            // stop: stop
    IconGlyph{152, 0xe43f},                            // image_search: view texture
    IconGlyph{154, 0xe3ec},                            // grid_on: tile mode, tile editor
    IconGlyph{156, 0xe564},                            // terrain: tile type
    IconGlyph{161, 0xf10b},                            // handyman: tools
    IconGlyph{164, 0xe569, Turn::mirrored},            // near_me, mirrored: arrow pointer
    IconGlyph{166, 0xe8f4},                            // visibility: preview sprite
    IconGlyph{167, 0xef5b},                            // monitor: video options, vsync
    IconGlyph{175, 0xe5ca},                            // check: OK, select, done
    IconGlyph{177, 0xe8ff},                            // zoom_in: zoom in
    IconGlyph{178, 0xe900},                            // zoom_out: zoom out
    IconGlyph{189, 0xe3ec, Turn::none, Badge::in},       // grid_on + arrow in: import tile sheet
    IconGlyph{190, 0xe3ec, Turn::none, Badge::out},      // grid_on + arrow out: export tile sheet
    IconGlyph{191, 0xe166},                            // undo: undo
    IconGlyph{192, 0xe15a},                            // redo: redo
};

} // namespace engine_textures
