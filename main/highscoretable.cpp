#include "highscoretable.h"

std::int32_t defaultHighScoreTime(int rank)
{
    return 10000 + 2000 * rank;
}

std::int32_t defaultHighScoreScore(int rank)
{
    return 60 - 5 * rank;
}

QByteArray defaultHighScoreName()
{
    return QByteArrayLiteral("Rovuve");
}

HighScoreRow defaultHighScoreRow()
{
    HighScoreRow row;
    for (int rank = 0; rank < kRankCount; ++rank)
        row[rank] = {defaultHighScoreTime(rank), defaultHighScoreName(), defaultHighScoreScore(rank)};
    return row;
}

int insertHighScore(HighScoreRow &row, std::int32_t totalTime, std::int32_t score)
{
    int placed = 0;
    for (int n = kRankCount; n >= 1; --n) {
        shighScore &entry = row[n - 1];
        if (entry.time <= totalTime)
            break;
        const std::int32_t oldTime = entry.time;
        const std::int32_t oldScore = entry.score;
        entry.time = totalTime;
        entry.score = score;
        if (n < kRankCount) {
            shighScore &below = row[n];
            below.time = oldTime;
            below.score = oldScore;
            below.name = entry.name;
        }
        placed = n;
    }
    return placed;
}
