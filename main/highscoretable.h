#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>

// One game in a table of best games.
struct shighScore {
    std::int32_t time = 0;  // total time of the game, in milliseconds
    QByteArray name;        // the player's name, code page 932 bytes as typed
    std::int32_t score = 0; // 0 to 100
};

inline constexpr int kLevelCount = 5;
inline constexpr int kRankCount = 5;

// The five best games of one level, rank 0 the best.
using HighScoreRow = std::array<shighScore, kRankCount>;
// The tables of all levels, indexed [level][rank].
using HighScoreTable = std::array<HighScoreRow, kLevelCount>;

// What a rank holds until a game beats it; rank counted from 0.
std::int32_t defaultHighScoreTime(int rank);
std::int32_t defaultHighScoreScore(int rank);
QByteArray defaultHighScoreName();
// A level's table before any game has been played.
HighScoreRow defaultHighScoreRow();

// Ranks a finished game into a level's row by total time alone. A game passes
// only entries slower than itself, walking up from the bottom; the fifth entry
// falls out. Returns the 1-based rank the game took, or 0 when it did not place.
// The row is not re-sorted, so a row loaded out of order stays as it was above
// the new entry. The new entry keeps the name its rank had until the caller
// gives it the player's.
int insertHighScore(HighScoreRow &row, std::int32_t totalTime, std::int32_t score);
