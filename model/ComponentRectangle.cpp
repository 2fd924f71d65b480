#include "model/ComponentRectangle.h"

#include <QPainter>

CComponentRectangle::CComponentRectangle() : CComponentFilledShape(ct_rectangle)
{
}

CComponentRectangle::CComponentRectangle(CEditCanvas *parent) : CComponentFilledShape(ct_rectangle)
{
    CreateComponentWindow(parent);
}

std::unique_ptr<CComponentBase> CComponentRectangle::Clone(bool keepPosition) const
{
    auto copy = std::make_unique<CComponentRectangle>(m_parent);
    CopyShapeTo(*copy, keepPosition);
    return copy;
}

void CComponentRectangle::PaintOutline(QPainter &painter, const QRectF &rect) const
{
    painter.drawRect(rect);
}
