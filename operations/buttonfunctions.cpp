#include "operations/buttonfunctions.h"

#include <algorithm>

namespace ButtonFunctions {

namespace {

constexpr Code leftKey{0x00, 0x00, 0xF0, 0x00};
constexpr Code rightKey{0x00, 0x00, 0xF1, 0x00};
constexpr Code middleKey{0x00, 0x00, 0xF2, 0x00};
constexpr Code forwardKey{0x00, 0x00, 0xF4, 0x00};
constexpr Code backKey{0x00, 0x00, 0xF3, 0x00};
constexpr Code dpiUp{0x05, 0x00, 0x01, 0x00};
constexpr Code dpiDown{0x05, 0x00, 0x02, 0x00};
constexpr Code oneGun{0x08, 0x00, 0x01, 0x00};
constexpr Code twoGun{0x08, 0x00, 0x02, 0x00};
constexpr Code doubleFire{0x00, 0xF0, 0x1E, 0x02};
constexpr Code fixed14{0xFF, 0x00, 0x01, 0x00};
constexpr Code fixed15{0xFF, 0x00, 0x02, 0x00};

constexpr std::array<Fixed, 38> table{{
    {leftKey, "Left Key", 12, 0},
    {rightKey, "Right Key", 13, 0},
    {middleKey, "Middle Key", 14, 0},
    {forwardKey, "Forward Key", 15, 0},
    {backKey, "Back Key", 16, 0},
    {doubleFire, "Double Fire", 17, 1},
    {dpiUp, "DPI+", 18, 5},
    {dpiDown, "DPI-", 19, 5},
    {{0x05, 0x00, 0x03, 0x00}, "DPI LOOP", 20, 5},
    {{0x05, 0x00, 0x04, 0x00}, "Sniper Key", 21, 5},
    {{0x03, 0x00, 0x83, 0x01}, "Player", 22, 3},
    {{0x03, 0x00, 0xB5, 0x00}, "Next", 23, 3},
    {{0x03, 0x00, 0xB6, 0x00}, "Privous", 24, 3},
    {{0x03, 0x00, 0xB7, 0x00}, "Stop", 25, 3},
    {{0x03, 0x00, 0xE2, 0x00}, "Mute", 26, 3},
    {{0x03, 0x00, 0xCD, 0x00}, "Play/Pause", 27, 3},
    {{0x03, 0x00, 0xE9, 0x00}, "Volumn+", 28, 3},
    {{0x03, 0x00, 0xEA, 0x00}, "Volumn-", 29, 3},
    {{0x06, 0x00, 0x94, 0x01}, "My PC", 30, 6},
    {{0x06, 0x00, 0x23, 0x02}, "Index", 31, 6},
    {{0x06, 0x00, 0x21, 0x02}, "Search", 32, 6},
    {{0x06, 0x04, 0x2C, 0x1B}, "Max", 33, 6},
    {{0x06, 0x04, 0x2C, 0x11}, "Min", 34, 6},
    {{0x06, 0x00, 0xE3, 0x07}, "Desktop", 35, 6},
    {{0x06, 0x00, 0xE3, 0x15}, "Run", 36, 6},
    {{0x07, 0x00, 0xE0, 0x11}, "New", 37, 7},
    {{0x07, 0x00, 0xE0, 0x1B}, "Cut", 38, 7},
    {{0x07, 0x00, 0xE0, 0x06}, "Copy", 39, 7},
    {{0x07, 0x00, 0xE0, 0x19}, "Paste", 40, 7},
    {{0x07, 0x00, 0xE0, 0x16}, "Save", 41, 7},
    {{0x07, 0x00, 0xE0, 0x13}, "Print", 42, 7},
    {{0x07, 0x00, 0xE0, 0x09}, "Find", 43, 7},
    {{0x07, 0x00, 0xE0, 0x1C}, "Redo", 44, 7},
    {{0x07, 0x00, 0xE0, 0x1D}, "Undo", 45, 7},
    {{0x07, 0x00, 0xE0, 0x04}, "Select All", 46, 7},
    {oneGun, "One Gun", 47, 8},
    {twoGun, "Two Gun", 48, 8},
    {{0x08, 0x00, 0x03, 0x00}, "Three Gun", 49, 8},
}};

} // namespace

std::span<const Fixed> fixedTable()
{
    return table;
}

const Fixed *fixedOf(const Code &code)
{
    const auto found =
        std::find_if(table.begin(), table.end(), [&](const Fixed &f) { return f.code == code; });
    return found == table.end() ? nullptr : &*found;
}

Code builtIn(int mode, int button)
{
    static constexpr std::array<Code, 16> office{
        leftKey, rightKey, middleKey, forwardKey, backKey, dpiUp, dpiDown, doubleFire,
        none,    none,     none,      none,       none,    none,  fixed14, fixed15};
    if (button < 0 || button > 15)
        return none;
    if (mode != 0 && button == 5)
        return oneGun;
    if (mode != 0 && button == 6)
        return twoGun;
    return office[button];
}

} // namespace ButtonFunctions
