#pragma once

#include "app/SplitterLayout.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class CIniFile;
class QRubberBand;

// Two panes side by side (a vertical bar) or one above the other (a horizontal bar) with a 3-pixel bar
// between them that the author drags, each pane kept at its minimum. The left pane keeps its width (or the
// bottom pane its height) when the splitter is resized, and the bar's place is kept in the profile under
// the splitter's id. With the focus on the splitter the arrow keys move the bar; Escape ends a drag where it
// began.
class CSSplitter : public QWidget
{
    Q_OBJECT
public:
    enum Style { VerticalSplit = 1, HorizontalSplit = 2 };

    explicit CSSplitter(QWidget *parent = nullptr);
    ~CSSplitter() override;

    // Where the bar's place is kept (the program's profile) and the key its sections go under; without a
    // profile the bar starts at twice the minimum and is not kept.
    void SetProfile(CIniFile *profile, const QString &baseKey);
    // Moves the bar to the place the profile keeps for this splitter; false (nothing moves) when it keeps none.
    bool RestoreFromProfile();

    // Takes the two panes in (first = left or top) inside rect of the parent, reads the bar's place from
    // the profile and lays them out.
    bool Create(int style, QWidget *parent, QWidget *first, QWidget *second, int id, const QRect &rect, int minimum1,
                int minimum2);

    void SetSplitterPos(int position);
    int GetSplitterPos() const;
    bool IsHorizontalSplit() const;
    void HideFirstPane();
    void ShowFirstPane();
    // A 1-pixel black line where the bar is, shifted by offset's left and top (for a host that paints it).
    void DrawSplitLine(QPainter &painter, const QRect &offset) const;

    int ControlId() const { return m_id; }
    const CSplitterLayout *Layout() const { return m_layout.get(); }
    bool IsDragging() const { return m_dragging; }
    // Passes a left-button press on to the parent instead of dragging.
    void SetPassThrough(bool on) { m_passThrough = on; }

signals:
    // A vertical bar was dropped at a new place (also when a splitter inside a pane reports it).
    void splitterMoved();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    int Along(const QPoint &point) const;
    void Place();
    void ShowBand(int position);
    void EndDrag();
    void Drop(int position);
    void SaveProfile();

    std::unique_ptr<CSplitterLayout> m_layout;
    QPointer<QWidget> m_first;
    QPointer<QWidget> m_second;
    int m_id = 0;
    CIniFile *m_profile = nullptr;
    QString m_baseKey;
    bool m_passThrough = false;
    bool m_dragging = false;
    int m_dragPosition = 0;
    QPointer<QWidget> m_focusBefore;
    QRubberBand *m_band = nullptr;
};
