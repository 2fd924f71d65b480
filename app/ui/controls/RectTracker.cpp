#include "app/ui/controls/RectTracker.h"

#include "app/TrackerGeometry.h"

#include <QPainter>

using namespace CorvTrackerGeometry;

CRectTracker::CRectTracker(const QRect &rect, QObject *parent) : CDragTracker(parent), m_rect(rect) {}

unsigned CRectTracker::GetHandleMask() const { return 0xFF; }

void CRectTracker::AdjustRect(int, QRect &) {}

void CRectTracker::Draw(QPainter &painter) const
{
    painter.save();
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_rect.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const unsigned mask = GetHandleMask();
    for (int handle = TopLeft; handle <= Left; ++handle)
        if (mask & (1u << handle))
            painter.drawRect(HandleRect(m_rect, handle));
    painter.restore();
}

int CRectTracker::HitTest(const QPoint &point) const { return RectHitTest(m_rect, GetHandleMask(), point); }

bool CRectTracker::Track(QWidget *host, const QPoint &point)
{
    const int handle = HitTest(point);
    if (handle == NoHandle || !BeginDrag(host, handle == Middle ? Qt::SizeAllCursor : Qt::CrossCursor))
        return false;
    m_handle = handle;
    m_start = m_rect;
    m_pressed = point;
    return true;
}

void CRectTracker::DragTo(const QPoint &point)
{
    QRect proposed = ResizeByHandle(m_start, m_handle, point - m_pressed);
    AdjustRect(m_handle, proposed);
    m_rect = proposed;
}
