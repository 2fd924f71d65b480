#include "model/ComponentEllipse.h"

#include <QPainter>

CComponentEllipse::CComponentEllipse(CEditCanvas *parent) : CComponentFilledShape(ct_ellipse, parent) {}

std::unique_ptr<CComponentBase> CComponentEllipse::Clone(bool keepPosition) const
{
    return CloneKind<CComponentEllipse>(keepPosition);
}

void CComponentEllipse::PaintOutline(QPainter &painter, const QRectF &rect) const
{
    painter.drawEllipse(rect);
}
