#pragma once

#include <QString>

#include <array>
#include <cstdint>

// What the game's handlers share: one copy, living as long as the main window.
struct GameState {
    static constexpr int kMaxTries = 10;

    std::int32_t tryNum = 5;       // challenges per game
    bool gameOn = false;           // presses on the target count
    std::int32_t countDown = 0;    // 4 armed, 3..1 counting, -1 target shown, 0 idle
    std::uint32_t startTick = 0;   // tick at which the target appeared
    std::int32_t totalTime = 0;    // sum of this game's reaction times, ms
    std::int32_t tryCount = 0;     // 1-based challenge number; 0 before the first game
    bool eraseRegistry = false;    // erase the store on exit instead of saving
    QString exeDir;                // the executable's folder, with a trailing separator
    std::array<std::int32_t, kMaxTries> tryTime{}; // reaction times, challenge 1 first
};
