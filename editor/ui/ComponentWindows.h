#pragma once

#include "model/ComponentWindow.h"

#include <QWidget>

#include <memory>

class CComponentBase;
class CScrollViewEx;
class QMenu;

// The window of a component on the canvas: it shows the component as its screen's pictures show it,
// hands left-button input to the canvas at the same canvas point (so selecting, moving and resizing
// belong to the canvas alone), and carries the kind's context menu. Topic buttons keep their mouse input
// to themselves and are selected by their context menu. The canvas makes every kind's window through
// CComponentWindowFactory.
class CCanvasComponentWindow : public QWidget, public CComponentWindow
{
    Q_OBJECT
public:
    CCanvasComponentWindow(CComponentBase &component, CScrollViewEx &canvas);

    CComponentBase &Component() const { return m_component; }

    // CComponentWindow
    void Show() override;
    void Hide() override;
    void MoveWindow(const CRect &rect) override;
    void Invalidate() override { update(); }
    void UpdateFromComponent() override { update(); }
    void UpdateComponent() override {}
    QSize GetTextExtent(const QString &text) const override;
    // The canvas's selection is live: it shows its kind's own window. The others paint as the screen's
    // pictures do (the canvas and the thumbnails look the same).
    void EnableEditing(bool enable) override;
    bool IsLive() const { return m_live; }

    // The context menu a right click opens (null for kinds without one); pictures and topic buttons are
    // selected first. Its commands run once the menu has closed.
    std::unique_ptr<QMenu> BuildContextMenu();

    // Whether the kind hands its mouse input to the canvas (topic buttons do not).
    static bool ForwardsMouse(int type);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

    // The kind's own entries, before the shared ones; none by default.
    virtual void AddKindEntries(QMenu &menu);
    // The window became live or stopped being so; it is painted again in any case.
    virtual void LiveChanged() {}
    CScrollViewEx &Canvas() const { return m_canvas; }

private:
    QPoint CanvasPoint(const QPoint &local) const;
    void Forward(QMouseEvent *event);

    CComponentBase &m_component;
    CScrollViewEx &m_canvas;
    bool m_live = false;
};
