#include "editor/ThumbnailRenderer.h"

#include "model/ComponentBase.h"
#include "model/CorvPage.h"

#include <QPainter>

QImage CThumbnailRenderer::Render(const CCorvPage &screen, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(double(size.width()) / kScreenWidth, double(size.height()) / kScreenHeight);
    QPen pen(QColor(90, 90, 90));
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(QColor(235, 239, 245));
    for (const auto &component : screen.GetComponentList()) {
        const CRect &b = component->GetBounds();
        if (b.Width() > 0 && b.Height() > 0)
            painter.drawRect(QRect(b.left, b.top, b.Width(), b.Height()));
    }
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(0, 0, kScreenWidth - 1, kScreenHeight - 1));
    return image;
}
