#pragma once

#include "model/ComponentFilledShape.h"

class CComponentRectangle : public CComponentFilledShape
{
public:
    explicit CComponentRectangle(CEditCanvas *parent = nullptr);

    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;

private:
    void PaintOutline(QPainter &painter, const QRectF &rect) const override;
};
