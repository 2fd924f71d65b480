#pragma once

#include "dialogs/KenBurnsValues.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <memory>

class CAspectKeeperRectTracker;
class CKBImageWnd;

// A numbered path marker over the pan-and-zoom editor's picture. The author drags it with the mouse (or
// moves it with the arrow keys when it has the focus); wherever it goes, the picture window keeps it where a
// marquee centred on it stays inside the picture. Its white shows the picture beneath.
class CWndPanMarker : public QWidget
{
    Q_OBJECT
public:
    CWndPanMarker(int number, const CRect &rect, CKBImageWnd *parent);

    int Number() const { return m_number; }
    // In the picture window's coordinates.
    CRect MarkerRect() const { return m_rect; }
    void SetMarkerRect(const CRect &rect);
    void SetPanMode(int mode) { m_panMode = mode; }
    bool IsDragging() const { return m_dragging; }

    // The 29 x 47 picture of a marker: a ring whose centre is the marker's point and its number below.
    static QImage MarkerArt(int number);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The marker put with its point (14, 14 inside it) at point of the picture window, within bounds.
    void DragTo(const QPoint &point);
    void MoveTo(const CRect &rect);

    CKBImageWnd *m_owner;
    int m_number;
    QImage m_art;
    CRect m_rect;
    int m_panMode = 0;
    bool m_dragging = false;
};

// The picture area of the pan-and-zoom editor: the picture reduced to the area when it is larger, the
// marquee (the part of the picture an effect starts from, zooms into or ends at), which keeps the picture's
// shape while its corners are dragged, and for an automated pan up to twelve numbered path markers. The
// marquee is hidden for no effect and for the fades. With the focus, the arrow keys move the marquee and
// Shift with the arrows resizes it.
class CKBImageWnd : public QWidget
{
    Q_OBJECT
public:
    explicit CKBImageWnd(QWidget *parent = nullptr);
    ~CKBImageWnd() override;

    // Places the area over rect of its parent and makes the markers in use.
    void Create(const QRect &rect);

    void SetEffect(int effect);
    int Effect() const { return m_effect; }
    void SetPanMode(int mode);
    int PanMode() const { return m_panMode; }
    void SetMarkerCount(int count);
    int MarkerCount() const { return m_markerCount; }

    // The picture; the first one gets the default marquee when none is set.
    void SetBitmap(const QImage &picture);
    const QImage &Bitmap() const { return m_picture; }
    // The marquee; the markers in use are then kept inside the picture.
    void SetPartRect(const CRect &rect);
    CRect GetPartRect() const;
    // Where the picture lies in the area (the whole area without a picture).
    CRect ImageRect() const { return m_image; }

    CRect GetMarkerRect(int i) const;
    // Moves marker i's window too when it exists.
    void SetMarkerRect(int i, const CRect &rect);
    // Takes the markers' own rectangles for the markers in use.
    void ReadMarkerRects();
    CRect ConstrainMarker(const CRect &rect) const;

    // Marker window i (from 0); null when it is not in use.
    CWndPanMarker *Marker(int i) const;
    const CAspectKeeperRectTracker &Tracker() const { return *m_tracker; }
    bool ShowsMarquee() const;

    QSize sizeHint() const override { return {m_windowWidth, m_windowHeight}; }

signals:
    // The marquee or a marker was moved by the author.
    void changed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    friend class CWndPanMarker;
    void LayoutImage();
    // The marquee's tracker follows the marquee and keeps the picture's shape.
    void ReplaceTracker();
    void ApplyMarkerVisibility();
    CWndPanMarker *MakeMarker(int i);

    int m_effect = 0;
    int m_panMode = KenBurns::panAutomated;
    int m_markerCount = 1;
    std::array<CWndPanMarker *, KenBurns::kMaxMarkers> m_markers{};
    std::array<CRect, KenBurns::kMaxMarkers> m_markerRects;
    int m_windowWidth = 0;
    int m_windowHeight = 0;
    bool m_created = false;

    QImage m_picture;
    bool m_firstPicture = true;
    CRect m_image;
    CRect m_marquee;
    std::unique_ptr<CAspectKeeperRectTracker> m_tracker;
};
