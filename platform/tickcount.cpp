#include "tickcount.h"

#include <chrono>
#include <utility>

namespace platform {
namespace {

TickSource &installedSource()
{
    static TickSource source;
    return source;
}

std::uint32_t clockTicks()
{
    using namespace std::chrono;
    const auto now = duration_cast<milliseconds>(steady_clock::now().time_since_epoch());
    return static_cast<std::uint32_t>(now.count());
}

} // namespace

std::uint32_t GetTickCount()
{
    const TickSource &source = installedSource();
    return source ? source() : clockTicks();
}

TickSource setTickSource(TickSource source)
{
    return std::exchange(installedSource(), std::move(source));
}

} // namespace platform
