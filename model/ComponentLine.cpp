#include "model/ComponentLine.h"

#include "model/ColorRef.h"
#include "model/EditCanvas.h"
#include "platform/Archive.h"

#include <QPainter>
#include <QPen>

#include <utility>

CComponentLine::CComponentLine(CEditCanvas *view) : CComponentBase(ct_line)
{
    // The canvas draws lines itself: the line keeps the view but asks it for no window.
    m_parent = view;
}

void CComponentLine::SetPoints(const QPoint &p1, const QPoint &p2)
{
    m_p1 = p1;
    m_p2 = p2;
    ExchangeData(false);
}

void CComponentLine::GetPoints(QPoint &p1, QPoint &p2) const
{
    p1 = m_p1;
    p2 = m_p2;
}

void CComponentLine::SetWidth(int width)
{
    m_width = width;
    ExchangeData(false);
}

void CComponentLine::SetColor(uint32_t color)
{
    m_color = color;
    ExchangeData(false);
}

bool CComponentLine::HitTest(const QPoint &pt) const
{
    QPoint a = m_p1;
    QPoint b = m_p2;
    if (a.x() > b.x())
        std::swap(a, b);
    if (a.x() == b.x()) {
        const int low = std::min(a.y(), b.y());
        const int high = std::max(a.y(), b.y());
        return pt.x() == a.x() && pt.y() >= low && pt.y() <= high;
    }
    if (pt.x() < a.x() || pt.x() > b.x())
        return false;
    // Single precision on purpose: the selection users know comes from this arithmetic. The differences
    // are taken in 64 bits and the result kept in range, so end points anywhere in the 32-bit range (a
    // damaged file) cannot overflow.
    const float m = float(qint64(b.y()) - a.y()) / float(qint64(b.x()) - a.x());
    const float intercept = float(b.y()) - m * float(b.x());
    const float y = m * float(pt.x()) + intercept;
    const qint64 ym = y >= 0x1p62f || y <= -0x1p62f ? (y > 0 ? INT64_C(1) << 62 : -(INT64_C(1) << 62)) : qint64(y);
    return pt.y() >= ym - 5 && pt.y() < ym + 5;
}

void CComponentLine::RepaintView() const
{
    if (m_visible && m_parent)
        m_parent->Invalidate();
}

void CComponentLine::ExchangeData(bool save)
{
    if (!save)
        RepaintView();
}

void CComponentLine::Show()
{
    m_visible = 1;
    RepaintView();
}

void CComponentLine::Hide()
{
    // Nothing is erased here: the line is gone at the canvas's next repaint.
    m_visible = 0;
}

void CComponentLine::Draw(QPainter &painter) const
{
    if (!m_visible)
        return;
    QPen pen(ColorFromColorRef(m_color));
    pen.setWidth(m_width > 0 ? m_width : 1);
    painter.save();
    painter.setPen(pen);
    painter.drawLine(m_p1, m_p2);
    painter.restore();
}

std::unique_ptr<CComponentBase> CComponentLine::Clone(bool /*keepPosition*/) const
{
    // A line has no bounds of its own: its end points are its place.
    auto copy = std::make_unique<CComponentLine>(m_parent);
    copy->SetValues(GetValues());
    return copy;
}

void CComponentLine::SetValues(const Values &values)
{
    static_cast<Values &>(*this) = values;
    ExchangeData(false);
}

void CComponentLine::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        ar.WriteInt(ct_line);
        ar.WriteInt(m_p1.x());
        ar.WriteInt(m_p1.y());
        ar.WriteInt(m_p2.x());
        ar.WriteInt(m_p2.y());
        ar.WriteInt(m_width);
        ar.WriteColor(m_color);
        return;
    }
    const int x1 = ar.ReadInt();
    const int y1 = ar.ReadInt();
    const int x2 = ar.ReadInt();
    const int y2 = ar.ReadInt();
    m_p1 = QPoint(x1, y1);
    m_p2 = QPoint(x2, y2);
    m_width = ar.ReadInt();
    m_color = ar.ReadColor();
    ExchangeData(false);
}
