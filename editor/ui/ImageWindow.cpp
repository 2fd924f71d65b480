#include "editor/ui/ImageWindow.h"

#include "app/ui/controls/ImageStatic.h"
#include "model/ComponentImage.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>

namespace {

constexpr int kDeleteLink = 32895;

// The pan-and-zoom badge: a small film-like tag with two arrows in the lower-right corner of a transparent
// square, which the picture control places 111 pixels in from its lower-right corner.
const QImage &EffectBadge()
{
    static const QImage badge = [] {
        QImage image(111, 111, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF tag(111 - 38, 111 - 26, 34, 22);
        painter.setPen(QPen(Qt::white, 1.5));
        painter.setBrush(QColor(30, 30, 30, 200));
        painter.drawRoundedRect(tag, 4, 4);
        painter.setBrush(Qt::white);
        QPainterPath arrows;
        const QPointF c = tag.center();
        arrows.moveTo(c + QPointF(-12, 0));
        arrows.lineTo(c + QPointF(-5, -6));
        arrows.lineTo(c + QPointF(-5, 6));
        arrows.closeSubpath();
        arrows.moveTo(c + QPointF(12, 0));
        arrows.lineTo(c + QPointF(5, -6));
        arrows.lineTo(c + QPointF(5, 6));
        arrows.closeSubpath();
        painter.drawPath(arrows);
        return image;
    }();
    return badge;
}

} // namespace

CWndImage::CWndImage(CComponentImage &component, CScrollViewEx &canvas)
    : CCanvasComponentWindow(component, canvas), m_image(component), m_picture(new CImageStatic(this))
{
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setAccessibleName(QStringLiteral("picture"));
    // The window takes the mouse (the canvas selects and drags through it) and shows the tooltip.
    m_picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_picture->SetBadgeImage(EffectBadge());
    m_picture->setGeometry(rect());
    // The component makes its window while it is being built itself: it hands over its picture when it
    // shows or changes (UpdateFromComponent), not before.
}

QRect CWndImage::LayOutPicture(const QSize &window, const QSize &picture)
{
    const int w = picture.width(), h = picture.height();
    if (window.height() >= h && window.width() >= w)
        return QRect(window.width() / 2 - w / 2, 0, w, h);
    return QRect(0, 0, w, h);
}

void CWndImage::UpdateFromComponent()
{
    QImage display = m_image.GetDisplayImage();
    if (display.isNull() && !m_image.GetImageFile().isEmpty())
        display = m_image.BuildDisplayBitmap();
    SetBitmap(display, true);
    SetToolTipText(m_image.GetAltText());
    const bool badge = m_image.GetAnimationEffect() != 0;
    if (m_picture->HasBadge() != badge)
        m_picture->SetBadge(badge);
}

void CWndImage::SetBitmap(const QImage &bitmap, bool relayout)
{
    if (relayout) {
        m_pictureSize = bitmap.size();
        if (m_firstSize.isEmpty())
            m_firstSize = m_pictureSize;
        m_pictureRect = LayOutPicture(size(), m_pictureSize);
    }
    if (bitmap.cacheKey() != m_picture->Bitmap().cacheKey())
        m_picture->SetBitmap(bitmap);
    update();
}

void CWndImage::SetToolTipText(const QString &text)
{
    m_toolTipText = text;
    setToolTip(text);
}

void CWndImage::paintEvent(QPaintEvent *)
{
    // The picture control paints the window.
}

void CWndImage::resizeEvent(QResizeEvent *event)
{
    CCanvasComponentWindow::resizeEvent(event);
    m_picture->setGeometry(rect());
    m_pictureRect = LayOutPicture(size(), m_pictureSize);
    m_picture->update();
}

void CWndImage::AddKindEntries(QMenu &menu)
{
    CCanvasComponentWindow::AddKindEntries(menu);
    // The link record stays in the picture after "Delete link"; only the flag says whether it is linked.
    for (QAction *action : menu.actions())
        if (action->data().toInt() == kDeleteLink)
            action->setEnabled(m_image.IsLinked() != 0);
}
