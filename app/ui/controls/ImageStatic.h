#pragma once

#include <QImage>
#include <QWidget>

// A picture preview: one picture on white, stretched over the whole control or fitted into it with its shape
// kept and centred, with an optional badge in the lower-right corner. The control keeps its own (shared)
// copy of the picture, so the host may drop its one at any time.
class CImageStatic : public QWidget
{
    Q_OBJECT
public:
    explicit CImageStatic(QWidget *parent = nullptr);

    // Stretch (true, the start) or fit; either repaints at once.
    void SetStretch(bool stretch);
    bool IsStretched() const { return m_stretch; }
    // A null picture leaves the control blank.
    void SetBitmap(const QImage &bitmap);
    const QImage &Bitmap() const { return m_bitmap; }
    // The badge: a picture with transparency drawn at its own size with its top-left corner 111 pixels left of
    // and above the lower-right corner.
    void SetBadgeImage(const QImage &badge);
    void SetBadge(bool on);
    bool HasBadge() const { return m_badge; }

    // Where the picture is drawn in the control as it is now (empty when nothing is drawn).
    QRect PictureRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_stretch = true;
    bool m_badge = false;
    QImage m_bitmap;
    QImage m_badgeImage;
};
