#include "model/ComponentLargeTopic.h"

#include "model/GlobalHelpers.h"
#include "model/PictureFiles.h"

#include <QPainter>

CComponentLargeTopic::CComponentLargeTopic(CEditCanvas *parent) : CComponentTopicButton(ct_large_topic, parent) {}

void CComponentLargeTopic::SetPicture(const QString &path, const CCorvContext &context)
{
    m_picture.Destroy();
    int format = 0;
    if (LoadOwnPicture(path, context, m_picture, format)) {
        // Metafiles are held at the size of the picture area; nothing else is.
        m_fitted = format == ImageFormatWmf ? 1 : 0;
        if (m_fitted)
            m_picture.Resample(kPictureWidth, kPictureHeight, InterpolationLanczos, EdgeRepeat);
        if (format == ImageFormatWmf)
            PictureFiles::MakeWhiteTransparent(m_picture);
    }
    UpdateWindow();
}

QSize CComponentLargeTopic::GetDisplaySize() const
{
    if (m_thumbnailIndex != -1)
        return QSize(kPictureWidth, kPictureHeight);
    int width = 0, height = 0;
    double scale = 1.0;
    if (!m_picture.IsValid() ||
        !FitSizeInBox(kPictureWidth, kPictureHeight, m_picture.GetWidth(), m_picture.GetHeight(), width, height, scale))
        return QSize();
    return QSize(width, height);
}

void CComponentLargeTopic::Draw(QPainter &painter) const
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_bounds.ToQRect().adjusted(0, 0, -1, -1));
    const QRect inner = m_bounds.ToQRect().adjusted(2, 2, -2, -2);
    if (m_showPicture && m_thumbnailIndex == -1 && m_picture.IsValid()) {
        int width = 0, height = 0;
        double scale = 1.0;
        if (FitSizeInBox(inner.width(), inner.height(), m_picture.GetWidth(), m_picture.GetHeight(), width, height,
                         scale)) {
            const QRect target(inner.left() + (inner.width() - width) / 2, inner.top() + (inner.height() - height) / 2,
                               width, height);
            painter.drawImage(target, GetDisplayImage());
        }
    }
    QRect title = inner.adjusted(25, 4, -25, -4);
    if (m_showPicture)
        title.setTop(title.top() + 149);
    painter.drawText(title, Qt::AlignCenter | Qt::TextSingleLine, m_title);
    painter.restore();
}

CComponentTopicButton::Rendering CComponentLargeTopic::GetRendering() const
{
    return {CMediaCopy::imagesMM, "mm%1.png", false};
}

std::unique_ptr<CComponentTopicButton> CComponentLargeTopic::MakeCopy() const
{
    return std::make_unique<CComponentLargeTopic>(m_parent);
}
