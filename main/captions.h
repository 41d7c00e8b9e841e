#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The captions that follow the chosen language: menu items by object name,
// and the Start button's face.
struct Caption {
    const char *target;
    const char *english;
    const char *japanese;
};

extern const std::array<Caption, 25> kCaptions;

enum class Language { Japanese, English };

QString captionText(const Caption &caption, Language language);

// The message at the end of a game.
QString resultText(Language language, std::int32_t totalTime, int score);
