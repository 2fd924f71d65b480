#include "model/ComponentFilledShape.h"

#include "model/ColorRef.h"
#include "platform/Archive.h"

#include <QPainter>
#include <QPen>

CComponentFilledShape::CComponentFilledShape(int typeCode, CEditCanvas *parent)
    : CComponentBase(typeCode, parent, kDefaultBounds)
{
}

void CComponentFilledShape::SetValues(const Values &values)
{
    static_cast<Values &>(*this) = values;
    ExchangeData(false);
}

void CComponentFilledShape::SetFilled(int filled)
{
    m_filled = filled;
    ExchangeData(false);
}

void CComponentFilledShape::SetFillColor(uint32_t color)
{
    m_fillColor = color;
    ExchangeData(false);
}

void CComponentFilledShape::SetOutlined(int outlined)
{
    m_outlined = outlined;
    ExchangeData(false);
}

void CComponentFilledShape::SetOutlineColor(uint32_t color)
{
    m_outlineColor = color;
    ExchangeData(false);
}

void CComponentFilledShape::SetLineWidth(int width)
{
    m_lineWidth = width;
    ExchangeData(false);
}

void CComponentFilledShape::Draw(QPainter &painter) const
{
    DrawShape(painter, m_bounds);
}

void CComponentFilledShape::DrawShape(QPainter &painter, const CRect &rect) const
{
    // A width read from a damaged file still draws a visible outline; the stored value stays as read.
    const int width = m_lineWidth > 0 ? m_lineWidth : 1;
    QPen pen(ColorFromColorRef(m_outlined ? m_outlineColor : m_fillColor));
    pen.setWidth(width);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.save();
    painter.setPen(pen);
    painter.setBrush(m_filled ? QBrush(ColorFromColorRef(m_fillColor)) : QBrush(Qt::NoBrush));
    // The outline runs along the inside of the exclusive right and bottom edges, as the canvas draws it.
    const QRectF shape(rect.left + 0.5, rect.top + 0.5, rect.Width() - 1.0, rect.Height() - 1.0);
    PaintOutline(painter, shape);
    painter.restore();
}

void CComponentFilledShape::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        ExchangeData(true);
        StoreHead(ar);
        ar.WriteInt(m_filled);
        ar.WriteColor(m_fillColor);
        ar.WriteInt(m_outlined);
        ar.WriteColor(m_outlineColor);
        ar.WriteInt(m_lineWidth);
        return;
    }
    LoadBounds(ar);
    m_filled = ar.ReadInt();
    m_fillColor = ar.ReadColor();
    m_outlined = ar.ReadInt();
    m_outlineColor = ar.ReadColor();
    m_lineWidth = ar.ReadInt();
    ExchangeData(false);
}
