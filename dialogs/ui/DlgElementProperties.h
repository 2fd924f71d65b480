#pragma once

#include "dialogs/ElementPlacement.h"

#include <QDialog>

#include <functional>

class QSpinBox;

// "Element Properties": the position and size of a screen element in canvas pixels. Preview hands the
// clamped placement to the element and leaves the dialog open; the caller applies the values on OK and
// puts the element back where it was on Cancel.
class CDlgElementProperties : public QDialog
{
    Q_OBJECT
public:
    explicit CDlgElementProperties(QWidget *parent = nullptr);

    CElementPlacement values;
    // Where Preview sends the placement; nothing when empty.
    std::function<void(const CElementPlacement &)> onPreview;

    int exec() override;
    void accept() override;
    void ShowValues();
    void OnPreview();

    QSpinBox *TopSpin() const { return m_top; }
    QSpinBox *LeftSpin() const { return m_left; }
    QSpinBox *WidthSpin() const { return m_width; }
    QSpinBox *HeightSpin() const { return m_height; }

private:
    void ReadAndClamp();

    QSpinBox *m_top;
    QSpinBox *m_left;
    QSpinBox *m_width;
    QSpinBox *m_height;
};
