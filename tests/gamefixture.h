#pragma once

#include "Fmbmain.h"
#include "testsupport.h"

#include <memory>

// The main window with its services stood in for: a store of its own, message
// boxes answered at once and a clock set by hand.
struct GameFixture {
    explicit GameFixture(EventLog *log = nullptr)
        : clock(1000, log)
        , w(std::make_unique<TfrmMBMain>())
    {
    }

    // Every table full of games nobody can beat, so that no game opens the
    // name entry unless a test wants it to.
    void keepGamesOutOfTables()
    {
        for (HighScoreRow &row : w->highScore)
            for (shighScore &entry : row)
                entry.time = 0;
    }

    ScopedConfigHome home;
    MessageBoxAnswerer boxes;
    FakeClock clock;
    std::unique_ptr<TfrmMBMain> w;
};
