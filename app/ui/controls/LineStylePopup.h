#pragma once

#include <QWidget>

// The list of line widths, 1 to 10 points, that drops down from the line-width tool button. Each item shows
// its width and a sample line; the item under the mouse is raised and the current one sunken. It opens at
// once at a screen point and ends with exactly one selected or cancelled signal before it closes and
// deletes itself. The arrow keys move the current item, Enter or Space choose it and Escape cancels.
class CLineStylePopup : public QWidget
{
    Q_OBJECT
public:
    CLineStylePopup(const QPoint &topLeft, int currentWidth, QWidget *parent);

    int HoveredItem() const { return m_hovered; }
    int SelectedItem() const { return m_selected; }

signals:
    // The width chosen, in points.
    void selected(int width);
    // The width the popup opened with.
    void cancelled(int width);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Select(int item);
    void Finish(bool asSelected);
    void PaintItem(QPainter &painter, int item);

    const int m_initial;
    int m_hovered = -1;
    int m_selected = -1;
    bool m_finished = false;
};
