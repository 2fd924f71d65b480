#pragma once

#include "app/ui/controls/RectTracker.h"

// A rectangle tracker for pictures: while it keeps the ratio, only the corners are offered and a dragged
// corner keeps the width and takes the height the ratio (width / height) gives.
class CAspectKeeperRectTracker : public CRectTracker
{
    Q_OBJECT
public:
    explicit CAspectKeeperRectTracker(const QRect &rect = {}, QObject *parent = nullptr);

    // A ratio of 0 or less keeps no shape.
    void SetAspectRatio(double ratio, bool keep);
    double AspectRatio() const { return m_ratio; }

    unsigned GetHandleMask() const override;
    void AdjustRect(int handle, QRect &rect) override;

private:
    double m_ratio = 0;
    bool m_keep = false;
};
