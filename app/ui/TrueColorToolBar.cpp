#include "app/ui/TrueColorToolBar.h"

#include <QAction>

CTrueColorToolBar::CTrueColorToolBar(const QString &title, QWidget *parent) : QToolBar(title, parent) {}

QRgb CTrueColorToolBar::MaskColourOf(const QImage &strip) { return strip.pixel(0, strip.height() - 1); }

QList<QPixmap> CTrueColorToolBar::SliceStrip(const QImage &strip, int imageWidth)
{
    QList<QPixmap> pictures;
    if (strip.isNull() || imageWidth <= 0 || strip.width() < imageWidth)
        return pictures;
    const QRgb mask = MaskColourOf(strip) | 0xFF000000u;
    QImage argb = strip.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if ((row[x] | 0xFF000000u) == mask)
                row[x] = 0;
    }
    const int count = strip.width() / imageWidth;
    for (int i = 0; i < count; ++i)
        pictures.append(QPixmap::fromImage(argb.copy(i * imageWidth, 0, imageWidth, argb.height())));
    return pictures;
}

bool CTrueColorToolBar::SetToolBarImageList(QIcon::Mode mode, const QImage &strip, int imageWidth)
{
    QList<QPixmap> pictures = SliceStrip(strip, imageWidth);
    if (pictures.isEmpty())
        return false;
    switch (mode) {
    case QIcon::Active: m_hot = std::move(pictures); break;
    case QIcon::Disabled: m_disabled = std::move(pictures); break;
    default: m_normal = std::move(pictures); break;
    }
    if (!m_normal.isEmpty())
        setIconSize(m_normal.first().size());
    ApplyIcons();
    return true;
}

bool CTrueColorToolBar::LoadToolBarImages(int imageWidth, const QImage &normal, const QImage &hot, const QImage &disabled)
{
    m_normal.clear();
    m_hot.clear();
    m_disabled.clear();
    if (!SetToolBarImageList(QIcon::Normal, normal, imageWidth))
        return false;
    if (!hot.isNull() && !SetToolBarImageList(QIcon::Active, hot, imageWidth))
        return false;
    if (!disabled.isNull() && !SetToolBarImageList(QIcon::Disabled, disabled, imageWidth))
        return false;
    return true;
}

QList<QPixmap> CTrueColorToolBar::Images(QIcon::Mode mode) const
{
    switch (mode) {
    case QIcon::Active: return m_hot;
    case QIcon::Disabled: return m_disabled;
    default: return m_normal;
    }
}

void CTrueColorToolBar::ApplyIcons()
{
    int i = 0;
    for (QAction *action : actions()) {
        if (action->isSeparator())
            continue;
        QIcon icon;
        if (i < m_normal.size())
            icon.addPixmap(m_normal[i], QIcon::Normal);
        if (i < m_hot.size())
            icon.addPixmap(m_hot[i], QIcon::Active);
        if (i < m_disabled.size())
            icon.addPixmap(m_disabled[i], QIcon::Disabled);
        action->setIcon(icon);
        ++i;
    }
}
