#pragma once

#include "model/ComponentBase.h"

#include <QPoint>

#include <cstdint>

// What a line keeps: copied whole by Clone, and what its window and dialogs exchange.
struct SLineValues {
    int m_visible = 0;
    QPoint m_p1;
    QPoint m_p2;
    int m_width = 1;
    uint32_t m_color = 0;
};

// A straight line drawn by the canvas itself (no window). Its geometry is the two end points only, stored
// where other kinds keep their bounds: the record is 28 bytes.
class CComponentLine : public CComponentBase, private SLineValues
{
public:
    explicit CComponentLine(CEditCanvas *view = nullptr);

    using Values = SLineValues;
    const Values &GetValues() const { return *this; }
    // Takes every value and shows them in the window.
    void SetValues(const Values &values);

    void SetPoints(const QPoint &p1, const QPoint &p2);
    void GetPoints(QPoint &p1, QPoint &p2) const;
    void SetWidth(int width);
    int GetWidth() const { return m_width; }
    void SetColor(uint32_t color);
    uint32_t GetColor() const { return m_color; }
    int IsVisible() const { return m_visible; }

    // Whether a canvas point selects the line: exactly on a vertical line, else within a box from 5 pixels
    // above to 4 below the line's y at that x, between the end points' x.
    bool HitTest(const QPoint &pt) const;

    void ExchangeData(bool save) override;
    void Show() override;
    void Hide() override;
    CComponentWindow *GetComponentWindow() const override { return nullptr; }
    void Draw(QPainter &painter) const override;
    // A copied line always keeps its end points.
    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;

private:
    void RepaintView() const;
};
