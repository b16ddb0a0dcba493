# Where the window tests look to know which screen the game shows, at
# 1024x768; sourced after screen.sh, whose checks these use.
# The menus hang from (15, 15): the main menu's title panel is 114 rows high
# and its rows start at 132, a sub-menu's panel 44 rows and its rows at 62;
# rows are 48 apart and 45 high.  x 305..330 lies right of every title text
# and inside every row.
main_row() { echo "25x30+305+$((140 + 48 * $1))"; }
sub_row() { echo "25x30+305+$((70 + 48 * $1))"; }
MAIN_PANEL=25x30+305+62
SUB_PANEL=25x30+305+20
LEVEL_LINE=300x28+722+703    # game screen: right end of the bar
PICTURE_BOARD=500x30+262+320
DIALOG_TITLE=600x14+200+306  # message box and confirmation

main_menu_at() { panel "$MAIN_PANEL" && highlit "$(main_row "$1")"; }
sub_menu_at() { panel "$SUB_PANEL" && highlit "$(sub_row "$1")"; }
playing() { [ "$(brightest "$LEVEL_LINE")" -gt 200 ] && ! blue "$PICTURE_BOARD" && ! blue "$DIALOG_TITLE"; }
dialog() { blue "$DIALOG_TITLE"; }
