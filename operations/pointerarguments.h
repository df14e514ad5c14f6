#pragma once

// The system values the pointer settings page's slider positions stand for.
namespace PointerArguments {

// Pointer speed 1 to 20 for index 0 to 10 (10 means 1:1); index 0 is the slowest, 1.
inline int cursorSpeed(unsigned index)
{
    const long long speed = 2LL * index;
    return speed == 0 ? 1 : int(speed);
}

// 900 ms at index 0 down to 200 ms at index 10.
inline int doubleClickTime(unsigned index)
{
    return int(900LL - 70LL * index);
}

} // namespace PointerArguments
