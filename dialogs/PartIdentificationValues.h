#pragma once

#include "dialogs/DialogCheck.h"
#include "platform/Rect.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>

// What the part-identification dialog edits: the question, the picture file, up to ten target rectangles
// in the 750 x 300 picture area's coordinates (picture unscrolled), how many targets there are and how many
// the student must find, "reduce to fit", the highlight colour and the two feedback texts.
struct CPartIdentificationValues {
    static constexpr int kMaxTargets = 10;
    static constexpr uint32_t kGreen = 0x00FF00;

    QString questionText;
    QString imageFile;
    std::array<CRect, kMaxTargets> targets{};
    // 1 to 10.
    int targetCount = 1;
    // The targets-to-match list's item: 0 is "All", else the number itself.
    int targetsToMatch = 1;
    int reduceToFit = 1;
    // COLORREF; 0 is shown (and kept) as green.
    uint32_t highlightColor = kGreen;
    QString correctFeedback;
    QString wrongFeedback;

    // The default targets: 30 x 30 squares in a row from (10, 10), 40 pixels apart.
    static std::array<CRect, kMaxTargets> DefaultTargets();
    // The number to match once OK is pressed: "All" (0) is every target, and never more than there are.
    int ResolvedTargetsToMatch() const;
    // A picture file must be named, and it must load: a question whose picture cannot be read would be
    // published without it. pictureLoads tells whether a file loads.
    CDialogCheck Check(const std::function<bool(const QString &)> &pictureLoads) const;

    bool operator==(const CPartIdentificationValues &) const = default;
};
