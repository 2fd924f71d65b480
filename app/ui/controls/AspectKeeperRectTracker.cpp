#include "app/ui/controls/AspectKeeperRectTracker.h"

#include "app/TrackerGeometry.h"

CAspectKeeperRectTracker::CAspectKeeperRectTracker(const QRect &rect, QObject *parent) : CRectTracker(rect, parent) {}

void CAspectKeeperRectTracker::SetAspectRatio(double ratio, bool keep)
{
    m_ratio = ratio;
    m_keep = keep;
}

unsigned CAspectKeeperRectTracker::GetHandleMask() const { return CorvTrackerGeometry::HandleMask(m_keep); }

void CAspectKeeperRectTracker::AdjustRect(int handle, QRect &rect)
{
    rect = CorvTrackerGeometry::AdjustForAspect(handle, rect, m_ratio);
}
