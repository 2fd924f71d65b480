#pragma once

#include "model/ComponentWindow.h"

#include <QEvent>
#include <QWidget>

#include <functional>

class CComponentBase;

// What the canvas windows that edit text in place (text boxes, tables) share: a child widget of the canvas
// page made hidden over its component's bounds, shown on top of its siblings, moved over a rectangle, the
// callbacks through which it reports to its canvas, and the relay of a press it does not take to the canvas.
class CEditingComponentWindow : public QWidget, public CComponentWindow
{
    Q_OBJECT
public:
    // CComponentWindow
    void Show() override;
    void Hide() override;

    // Where the window reports to its canvas: its component to be selected; a component command (Cut, Copy,
    // Bring to top, Send to back, Properties...) by its command number or message; the selection's face and
    // size for the formatting bar (only when both are the same over the whole selection).
    std::function<void(CComponentBase &)> selectComponent;
    std::function<void(CComponentBase &, int command)> componentCommand;
    std::function<void(const QString &face, int points)> selectFontInToolbar;

protected:
    CEditingComponentWindow(CComponentBase &component, QWidget *canvas);

    QWidget *Canvas() const { return m_canvas; }
    // The widget over the rectangle (canvas coordinates).
    void SetBounds(const CRect &rect);
    // The callbacks, each doing nothing while unset.
    void SelectOwnComponent();
    void RunComponentCommand(int command);
    void ReportFont(const QString &face, int points);
    // A press at pos (window coordinates) sent to the canvas as its own.
    void RelayToCanvas(QEvent::Type type, const QPoint &pos, Qt::MouseButton button, Qt::MouseButtons buttons,
                       Qt::KeyboardModifiers modifiers);

private:
    CComponentBase &m_base;
    QWidget *m_canvas;
};
