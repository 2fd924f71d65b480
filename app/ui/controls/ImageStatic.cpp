#include "app/ui/controls/ImageStatic.h"

#include "app/ImageFit.h"

#include <QPainter>

CImageStatic::CImageStatic(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Picture preview"));
}

void CImageStatic::SetStretch(bool stretch)
{
    m_stretch = stretch;
    update();
}

void CImageStatic::SetBitmap(const QImage &bitmap)
{
    m_bitmap = bitmap;
    update();
}

void CImageStatic::SetBadgeImage(const QImage &badge)
{
    m_badgeImage = badge;
    update();
}

void CImageStatic::SetBadge(bool on)
{
    m_badge = on;
    update();
}

QRect CImageStatic::PictureRect() const
{
    if (m_bitmap.isNull() || width() <= 0 || height() <= 0)
        return {};
    if (m_stretch)
        return rect();
    return CorvImageFit::FitRect(m_bitmap.width(), m_bitmap.height(), width(), height());
}

void CImageStatic::paintEvent(QPaintEvent *)
{
    const QRect target = PictureRect();
    if (m_bitmap.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(rect(), Qt::white);
    if (!target.isEmpty())
        painter.drawImage(target, m_bitmap);
    if (m_badge && !m_badgeImage.isNull())
        painter.drawImage(CorvImageFit::BadgeTopLeft(width(), height()), m_badgeImage);
}
