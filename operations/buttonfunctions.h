#pragma once

// The functions a button can be given, as the pages offer them and the
// profiles store them: four numbers [type, b1, b2, b3]. Their firmware
// records are made from these by KeyRecords (keyrecords.h).

#include <array>
#include <span>

namespace ButtonFunctions {

using Code = std::array<int, 4>;

struct Fixed {
    Code code;
    const char *label;
    // The label's position in a language's keyAssigment strings.
    int textIndex;
    // The category (0..8) whose sub-menu offers the function.
    int menu;
};

constexpr Code none{0, 0, 0, 0};
// Position of "Disabled" in the keyAssigment strings: the text of an empty record.
constexpr int disabledTextIndex = 63;

// The functions with a fixed code, in menu order.
std::span<const Fixed> fixedTable();
// The table's entry for a code, or nullptr.
const Fixed *fixedOf(const Code &code);

// What a button holds when neither the profile nor the factory profile has
// it (mode 0 office, 1 game); none outside buttons 0 to 15.
Code builtIn(int mode, int button);

} // namespace ButtonFunctions
