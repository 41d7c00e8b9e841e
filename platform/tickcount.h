#pragma once

#include <cstdint>
#include <functional>

namespace platform {

// Milliseconds from the monotonic clock, 32 bits, wrapping: the program takes
// differences of two readings modulo 2^32, so the wrap never shows.
std::uint32_t GetTickCount();

// Tests drive time by hand; an empty source restores the clock. Returns the
// previous source.
using TickSource = std::function<std::uint32_t()>;
TickSource setTickSource(TickSource source);

} // namespace platform
