#include "captions.h"

const std::array<Caption, 25> kCaptions{{
    {"mnuGame", "&Game", "ゲーム(&G)"},
    {"mnuChara", "&Image", "キャラクタ(&C)"},
    {"mnuHelp", "&Help", "ヘルプ(&H)"},
    {"mnuStart", "Start(&N)", "スタート(&N)"},
    {"mnuAbort", "&Abort", "中断(&A)"},
    {"mnuLevel", "&Level", "レベル(&L)"},
    {"mnuLevelEasy", "&Easy", "初級(&E)"},
    {"mnuLevelNormal", "&Normal", "中級(&N)"},
    {"mnuLevelDifficult", "&Difficult", "上級(&D)"},
    {"mnuLevelTablet", "&Tablet", "縦画面(&T)"},
    {"mnuLevelFullScreen", "&Full Screen", "全画面(&F)"},
    {"mnuTrynum", "Number of Challenge(&T)", "チャレンジ回数(&T)"},
    {"mnuOptionSound", "&Sound", "サウンド(&S)"},
    {"mnuHighScore", "&HighScore...", "ハイスコア(&H)..."},
    {"mnuExit", "E&xit", "終了(&X)"},
    {"mnuCharSeaquancial", "&Sequancial", "順番に表示(&S)"},
    {"mnuCharShuffle", "Shuffle(&R)", "シャッフル(&R)"},
    {"mnuCharRovuve", "&Rovuve", "ペンタン(&P)"},
    {"mnuCharSyowa", "Showa Smile(&BA-90)", "昭和笑顔文字(&BA-90)"},
    {"mnuCharSyowaColored", "Showa Smile(Usudaidai)", "昭和笑顔文字 色つき(&C)"},
    {"mnuCharMoon", "Showa Mikaduki", "昭和三日月(&M)"},
    {"mnuCharMoonYellow", "Showa Mikaduki(Yellow)", "昭和三日月黄色(&Y)"},
    {"mnuReadme", "&Readme", "ドキュメント(&R)"},
    {"mnuAbout", "&About...", "バージョン情報(&A)..."},
    {"btnStart", "Start", "スタート"},
}};

QString captionText(const Caption &caption, Language language)
{
    return QString::fromUtf8(language == Language::English ? caption.english : caption.japanese);
}

QString resultText(Language language, std::int32_t totalTime, int score)
{
    if (language == Language::English)
        return QStringLiteral("Time:%1ms\nScore : %2points").arg(totalTime).arg(score);
    return QStringLiteral("今回のタイム:%1ms\nスコア : %2点").arg(totalTime).arg(score);
}
