#pragma once

#include "model/ComponentFilledShape.h"

class CComponentEllipse : public CComponentFilledShape
{
public:
    CComponentEllipse();
    explicit CComponentEllipse(CEditCanvas *parent);

    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;

private:
    void PaintOutline(QPainter &painter, const QRectF &rect) const override;
};
