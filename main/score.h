#pragma once

#include <cstdint>
#include <span>

// The score of a game out of 100: each reaction time over 600 ms costs a
// point for every full 50 ms beyond it, at most 100 / N points per challenge.
int CalcScore(std::span<const std::int32_t> tryTime);
