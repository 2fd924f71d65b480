#pragma once

#include "dialogs/DialogCheck.h"

#include <QImage>
#include <QString>

#include <array>

class CCorvContext;

// What the match-the-pairs dialog edits: the question, up to five pairs whose sides (1a to 5a on the left,
// 1b to 5b on the right) each have a text, a picture file or both, the roll-over zoom flag and the two
// feedback texts.
struct CMatchPairsValues {
    static constexpr int kPairs = 5;
    static constexpr int kThumbnailSide = 40;
    using Slots = std::array<QString, kPairs>;

    QString questionText;
    Slots leftTexts;
    Slots rightTexts;
    // Full paths; empty for no picture.
    Slots leftImages;
    Slots rightImages;
    int zoom = 1;
    QString correctFeedback;
    QString wrongFeedback;

    // With the default question (string 35012).
    static CMatchPairsValues Defaults();

    // A side is present when its text holds more than blanks or it has a picture.
    bool LeftPresent(int pair) const;
    bool RightPresent(int pair) const;
    // One side at least must be present, and no pair may have only one side.
    CDialogCheck Check() const;

    // The 40 x 40 thumbnail of a picture file: the picture reduced to fit keeping its shape (a smaller one
    // keeps its size), a graphics-library photo object with its mask as transparency when the mask loads.
    // A null image for an empty path or a picture that does not load.
    static QImage MakeThumbnail(const CCorvContext &context, const QString &file);
    // What a side without a picture shows: 40 x 40 white.
    static QImage BlankThumbnail();

    bool operator==(const CMatchPairsValues &) const = default;
};
