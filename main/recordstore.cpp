#include "recordstore.h"

#include "regstore.h"

namespace {

QString valueName(const char *field, int rank)
{
    return QLatin1String(field) + QString::number(rank + 1);
}

} // namespace

QString recordSection(int level)
{
    return QLatin1String(kSettingsSection) + QLatin1String("\\HighScore") + QString::number(level + 1);
}

StoredSettings loadSettings(const RegIniFile &store)
{
    const QString section = QLatin1String(kSettingsSection);
    StoredSettings settings;
    settings.soundOn = store.ReadBool(section, QStringLiteral("Sound"), true);
    settings.level = store.ReadInteger(section, QStringLiteral("LastDifficulty"), 0);
    return settings;
}

void loadRecords(const RegIniFile &store, HighScoreTable &highScore)
{
    for (int level = 0; level < kLevelCount; ++level) {
        const QString section = recordSection(level);
        for (int rank = 0; rank < kRankCount; ++rank) {
            shighScore &entry = highScore[level][rank];
            entry.time = store.ReadInteger(section, valueName("Time", rank), defaultHighScoreTime(rank));
            entry.name = store.ReadString(section, valueName("Name", rank), defaultHighScoreName());
            entry.score = store.ReadInteger(section, valueName("Score", rank), defaultHighScoreScore(rank));
        }
    }
}

void saveSettings(RegIniFile &store, const StoredSettings &settings)
{
    const QString section = QLatin1String(kSettingsSection);
    store.WriteInteger(section, QStringLiteral("LastDifficulty"), settings.level);
    store.WriteBool(section, QStringLiteral("Sound"), settings.soundOn);
}

void saveRecords(RegIniFile &store, const HighScoreTable &highScore)
{
    for (int level = 0; level < kLevelCount; ++level) {
        const QString section = recordSection(level);
        for (int rank = 0; rank < kRankCount; ++rank) {
            const shighScore &entry = highScore[level][rank];
            store.WriteInteger(section, valueName("Time", rank), entry.time);
            store.WriteString(section, valueName("Name", rank), entry.name);
            store.WriteInteger(section, valueName("Score", rank), entry.score);
        }
    }
}
