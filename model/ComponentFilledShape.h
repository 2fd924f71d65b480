#pragma once

#include "model/ComponentBase.h"

#include <cstdint>

// What a rectangle or an ellipse keeps: copied whole by Clone, and what its window and dialogs exchange.
struct SFilledShapeValues {
    int m_filled = 0;
    uint32_t m_fillColor = 0xFFFFFF;
    int m_outlined = 1;
    uint32_t m_outlineColor = 0;
    int m_lineWidth = 1;
};

// What the rectangle and the ellipse share: a filled or hollow shape in its own window, with an outline.
// Records are 40 bytes: head, filled, fill colour, outlined, outline colour, line width.
class CComponentFilledShape : public CComponentBase, private SFilledShapeValues
{
public:
    using Values = SFilledShapeValues;
    const Values &GetValues() const { return *this; }
    // Takes every value and shows them in the window.
    void SetValues(const Values &values);

    void SetFilled(int filled);
    int IsFilled() const { return m_filled; }
    void SetFillColor(uint32_t color);
    uint32_t GetFillColor() const { return m_fillColor; }
    void SetOutlined(int outlined);
    int IsOutlined() const { return m_outlined; }
    void SetOutlineColor(uint32_t color);
    uint32_t GetOutlineColor() const { return m_outlineColor; }
    void SetLineWidth(int width);
    int GetLineWidth() const { return m_lineWidth; }

    void Draw(QPainter &painter) const override;
    void SerializeComponent(CArchive &ar) override;

    // Paints the shape into rect: the outline in the outline colour, or in the fill colour when the
    // outline is off; the inside in the fill colour when filled, else left as it was. The window paints
    // itself the same way.
    void DrawShape(QPainter &painter, const CRect &rect) const;

    static constexpr CRect kDefaultBounds{10, 10, 400, 400};

protected:
    CComponentFilledShape(int typeCode, CEditCanvas *parent);

private:
    virtual void PaintOutline(QPainter &painter, const QRectF &rect) const = 0;
};
