#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// What the Flash question's dialog edits: the movie file, whether the question takes the whole screen,
// the Flash version it needs, its FlashVars, the window mode, the background colour and, for the canvas's
// editing, the dialog's title.
struct CFlashQuestionValues {
    static constexpr int kDefaultVersion = 8;
    static constexpr uint32_t kWhite = 0xFFFFFF;

    QString swfFile;
    int fullScreen = 0;
    int version = kDefaultVersion;
    QString flashVars;
    // Empty is shown, and returned, as "window".
    QString windowMode;
    // COLORREF; 0 is shown as white.
    uint32_t backgroundColor = kWhite;
    // Replaces the dialog's caption when not empty.
    QString title;

    static const QStringList &WindowModes();
    // The window-mode list's item for the value: "window" when empty, else the first that begins with it;
    // -1 when none does.
    static int WindowModeIndex(const QString &mode);
    // What OK corrects without a word: a version outside 6 to 10 becomes 8.
    void Correct();

    bool operator==(const CFlashQuestionValues &) const = default;
};
