#include "model/ComponentSmallTopic.h"

#include "model/GlobalHelpers.h"
#include "model/PictureFiles.h"

#include <QPainter>

#include <algorithm>

CComponentSmallTopic::CComponentSmallTopic(CEditCanvas *parent) : CComponentTopicButton(ct_small_topic, parent) {}

void CComponentSmallTopic::SetPicture(const QString &path, const CCorvContext &context)
{
    CxImage loaded;
    int format = 0;
    if (!LoadOwnPicture(path, context, loaded, format))
        return;
    if (format == ImageFormatWmf)
        PictureFiles::MakeWhiteTransparent(loaded);
    m_picture.TakeOver(loaded);
    UpdateWindow();
}

QSize CComponentSmallTopic::GetDisplaySize() const
{
    if (m_thumbnailIndex != -1)
        return QSize(kPictureSide, kPictureSide);
    if (!m_picture.IsValid())
        return QSize();
    const int w = m_picture.GetWidth();
    const int h = m_picture.GetHeight();
    // The longer side is stretched or shrunk to 38 pixels.
    if (w > h)
        return QSize(kPictureSide, std::max(1, h * kPictureSide / w));
    return QSize(std::max(1, w * kPictureSide / h), kPictureSide);
}

void CComponentSmallTopic::Draw(QPainter &painter) const
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    const QRect rect = m_bounds.ToQRect();
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.drawText(rect.adjusted(m_showPicture ? 70 : 10, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     m_title);
    painter.restore();
}

CComponentTopicButton::Rendering CComponentSmallTopic::GetRendering() const
{
    return {CMediaCopy::imagesM, "m%1.png", true};
}

std::unique_ptr<CComponentTopicButton> CComponentSmallTopic::MakeCopy() const
{
    return std::make_unique<CComponentSmallTopic>(m_parent);
}
