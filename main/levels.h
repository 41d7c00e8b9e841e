#pragma once

#include <array>
#include <cstdint>

// The window's client size for each level; width -1 stands for full screen.
struct LevelSize {
    std::int32_t width;
    std::int32_t height;
};

inline constexpr std::array<LevelSize, 5> levelSize{{
    {400, 300}, // Easy
    {600, 450}, // Normal
    {750, 550}, // Difficult
    {500, 700}, // Tablet, the one upright size
    {-1, -1},   // Full screen
}};

inline constexpr bool isFullScreenSize(const LevelSize &size)
{
    return size.width == -1;
}

// A level read back from the store may have been edited by hand.
inline constexpr bool isValidLevel(std::int32_t level)
{
    return level >= 0 && level < static_cast<std::int32_t>(levelSize.size());
}

// Where a span of `inner` starts when centred in `outer`; C++ division
// truncates toward zero, so a window larger than the screen gets a negative
// start halved the same way on both sides of zero.
inline constexpr int centredStart(int outer, int inner)
{
    return (outer - inner) / 2;
}
