#include "model/ComponentRectangle.h"

#include <QPainter>

CComponentRectangle::CComponentRectangle(CEditCanvas *parent) : CComponentFilledShape(ct_rectangle, parent) {}

std::unique_ptr<CComponentBase> CComponentRectangle::Clone(bool keepPosition) const
{
    return CloneKind<CComponentRectangle>(keepPosition);
}

void CComponentRectangle::PaintOutline(QPainter &painter, const QRectF &rect) const
{
    painter.drawRect(rect);
}
