#pragma once

#include "platform/Rect.h"

#include <QImage>
#include <QWidget>

#include <array>

class QScrollBar;

// The 750 x 300 picture area of the part-identification dialog: the picture laid out as the question shows
// it (natural size centred along the top; reduced to fit when scaling is allowed; else from the top-left
// corner with scroll bars) and the targets over it, which the author moves by dragging inside them and
// resizes by their lower-right corner, or from the keyboard (Tab picks a target, the arrows move it, Shift
// and the arrows resize it). The targets are kept in the area's coordinates with the picture unscrolled;
// while the picture is scrolled they move with it.
class CPartTargetsView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWidth = 750;
    static constexpr int kHeight = 300;
    static constexpr int kMaxParts = 10;
    static constexpr int kLine = 6;

    explicit CPartTargetsView(QWidget *parent = nullptr);

    // The first picture moves the targets by where it is laid out; later ones do not.
    void SetBitmap(const QImage &picture);
    const QImage &Bitmap() const { return m_picture; }
    void SetScalingAllowed(bool allowed);
    // How many targets are in use (1 to 10); only those are drawn and can be moved.
    void SetPartCount(int count);
    int PartCount() const { return m_count; }
    void SetPartRect(int index, const CRect &rect);
    // With mapFromPicture, a target given relative to the picture is moved by where the picture lies
    // (PartPictureGeometry::MapPartRect).
    void SetPartRect(int index, const CRect &rect, bool mapFromPicture);
    // The picture is shown reduced to fit.
    bool IsScaled() const;
    // With the picture unscrolled, as the question keeps it.
    CRect GetPartRect(int index) const;
    // Where the picture lies in the area, unscrolled.
    CRect PictureRect() const;
    void ResetScrollPosition();
    QPoint ScrollOffset() const;
    QScrollBar *HorizontalBar() const { return m_hbar; }
    QScrollBar *VerticalBar() const { return m_vbar; }
    int CurrentPart() const { return m_current; }

    QSize sizeHint() const override { return {kWidth, kHeight}; }

signals:
    void partsChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void UpdateBars();
    // Keeps a target inside the picture: cut to its size, then shifted back inside.
    CRect Clamped(CRect rect) const;
    QRect OnScreen(int index) const;
    int PartAt(const QPoint &point) const;

    QImage m_picture;
    bool m_pictureSet = false;
    bool m_scaling = true;
    int m_count = 1;
    int m_current = 0;
    std::array<CRect, kMaxParts> m_parts{};
    QScrollBar *m_hbar;
    QScrollBar *m_vbar;
    // The drag under way: the target, whether it resizes, where it started.
    int m_dragPart = -1;
    bool m_resizing = false;
    QPoint m_dragStart;
    CRect m_dragRect;
};
