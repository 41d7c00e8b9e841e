#pragma once

#include "highscoretable.h"

#include <QString>

#include <cstdint>

class RegIniFile;

// Where the settings and the best games are kept, below the user's
// "Software\Ravenmoor" key.
inline constexpr char kStoreBaseKey[] = "Software\\Ravenmoor";
inline constexpr char kSettingsSection[] = "Moxagame";

// "Moxagame\HighScore1" for level 0, and so on.
QString recordSection(int level);

struct StoredSettings {
    bool soundOn = true;
    std::int32_t level = 0;
};

StoredSettings loadSettings(const RegIniFile &store);
// Every value falls back to its default on its own.
void loadRecords(const RegIniFile &store, HighScoreTable &highScore);

void saveSettings(RegIniFile &store, const StoredSettings &settings);
void saveRecords(RegIniFile &store, const HighScoreTable &highScore);
