#include "app/ui/controls/LineTracker.h"

#include "app/TrackerGeometry.h"

#include <QPainter>

using namespace CorvTrackerGeometry;

CLineTracker::CLineTracker(const QPoint &first, const QPoint &second, QObject *parent)
    : CDragTracker(parent), m_first(first), m_second(second)
{
}

void CLineTracker::Draw(QPainter &painter) const
{
    painter.save();
    painter.setBrush(Qt::black);
    for (const QPoint &end : {m_first, m_second})
        painter.drawRect(EndHandle(end).adjusted(0, 0, -1, -1));
    painter.restore();
}

void CLineTracker::DrawRubberLine(QPainter &painter) const
{
    painter.save();
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawLine(m_first, m_second);
    painter.restore();
}

int CLineTracker::HitTest(const QPoint &point) const { return CorvTrackerGeometry::HitTest(m_first, m_second, point); }

bool CLineTracker::Track(QWidget *host, const QPoint &point)
{
    const int part = HitTest(point);
    // An end is dragged along the line's own diagonal; the whole line moves every way.
    const bool falling = (m_second.x() - m_first.x()) * (m_second.y() - m_first.y()) >= 0;
    const Qt::CursorShape cursor = part == WholeLine ? Qt::SizeAllCursor : falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    if (part == LineMiss || !BeginDrag(host, cursor))
        return false;
    m_part = part;
    m_last = point;
    return true;
}

void CLineTracker::DragTo(const QPoint &point)
{
    if (m_part == FirstEnd) {
        m_first = point;
    } else if (m_part == SecondEnd) {
        m_second = point;
    } else {
        const QPoint delta = point - m_last;
        m_first += delta;
        m_second += delta;
    }
    m_last = point;
}
