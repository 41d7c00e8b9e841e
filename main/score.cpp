#include "score.h"

#include <algorithm>

int CalcScore(std::span<const std::int32_t> tryTime)
{
    if (tryTime.empty())
        return 100;
    const int cap = 100 / static_cast<int>(tryTime.size());
    int penalties = 0;
    for (const std::int32_t t : tryTime) {
        const int penalty = t > 600 ? (t - 600) / 50 : 0;
        penalties += std::min(penalty, cap);
    }
    return 100 - penalties;
}
