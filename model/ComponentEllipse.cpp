#include "model/ComponentEllipse.h"

#include <QPainter>

CComponentEllipse::CComponentEllipse() : CComponentFilledShape(ct_ellipse)
{
}

CComponentEllipse::CComponentEllipse(CEditCanvas *parent) : CComponentFilledShape(ct_ellipse)
{
    CreateComponentWindow(parent);
}

std::unique_ptr<CComponentBase> CComponentEllipse::Clone(bool keepPosition) const
{
    auto copy = std::make_unique<CComponentEllipse>(m_parent);
    CopyShapeTo(*copy, keepPosition);
    return copy;
}

void CComponentEllipse::PaintOutline(QPainter &painter, const QRectF &rect) const
{
    painter.drawEllipse(rect);
}
