#include "model/ComponentFlashVideo.h"

#include "image/xImage.h"
#include "model/GlobalHelpers.h"
#include "model/MediaRecord.h"
#include "platform/Archive.h"
#include "platform/FileSystemUtil.h"
#include "platform/PathUtil.h"

namespace {

constexpr int kPreviewInterpolation = InterpolationLanczos;
constexpr int kPreviewEdge = EdgeRepeat;

QString Flag(int value)
{
    return value != 0 ? QStringLiteral("true") : QStringLiteral("false");
}

int PreviewFormat(const QString &previewPath)
{
    return GetImageFormatFromExt(previewPath) == ImageFormatJpg ? ImageFormatJpg : ImageFormatPng;
}

} // namespace

CComponentFlashVideo::CComponentFlashVideo(CEditCanvas *parent) : CComponentVideo(parent, ct_flash_video)
{
}

QString CComponentFlashVideo::PreviewName(const QString &previewPath)
{
    const QString name = CorvPath::FileName(previewPath);
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = dot < 0 ? name + u'.' : name.left(dot + 1);
    return stem + (PreviewFormat(previewPath) == ImageFormatJpg ? QStringLiteral("jpg") : QStringLiteral("png"));
}

bool CComponentFlashVideo::BuildPublishHtml(const CCorvContext &context, QString &out) const
{
    QString video;
    GetFileNameFromPath(m_filePath, video, true);
    QString image = QStringLiteral("x.gif");
    if (!m_previewPath.isEmpty())
        GetFileNameFromPath(m_previewPath, image, true);
    const uint32_t number = uint32_t(m_bounds.top) * 65536u + uint32_t(m_bounds.left);
    const CPlaceholderTemplate::Tokens tokens = {
        {"left", QString::number(m_bounds.left)},
        {"top", QString::number(m_bounds.top)},
        {"width", QString::number(m_bounds.Width())},
        {"height", QString::number(m_bounds.Height())},
        {"flv", CPlaceholderTemplate::AttributeValue(video)},
        {"bgcolor", CPlaceholderTemplate::ColourHex(m_backgroundColor)},
        {"barColor", CPlaceholderTemplate::ColourHex(m_barColour)},
        {"barShadowColor", CPlaceholderTemplate::ColourHex(m_barShadowColour)},
        {"soundBarColor", CPlaceholderTemplate::ColourHex(m_soundBarColour)},
        {"ver", QString::number(uint32_t(m_flashVersion))},
        {"image", CPlaceholderTemplate::AttributeValue(image)},
        {"volume", QString::number(uint32_t(m_volume))},
        {"autoStart", Flag(m_autoStart)},
        {"playSounds", Flag(m_playSounds)},
        {"allowFullScreen", Flag(m_allowFullScreen)},
        {"disableMiddleButton", Flag(m_middleButton == 0)},
        {"autoHide", Flag(m_autoHide)},
        {"num", QString::number(number)},
    };
    return CPlaceholderTemplate::Expand(context, QStringLiteral("Media/flv.txt"),
                                        QStringLiteral("FATAL Error: CComponentFlashVideo: Could not open file\n%1"),
                                        tokens, out);
}

std::unique_ptr<CComponentBase> CComponentFlashVideo::Clone(bool keepPosition) const
{
    auto copy = CloneAs<CComponentFlashVideo>(keepPosition);
    copy->m_previewPath = m_previewPath;
    copy->m_volume = m_volume;
    copy->m_playSounds = m_playSounds;
    copy->m_middleButton = m_middleButton;
    copy->m_autoHide = m_autoHide;
    copy->m_allowFullScreen = m_allowFullScreen;
    copy->m_defaultColours = m_defaultColours;
    copy->m_barColour = m_barColour;
    copy->m_barShadowColour = m_barShadowColour;
    copy->m_soundBarColour = m_soundBarColour;
    return copy;
}

QString CComponentFlashVideo::StorePreview(const CArchive &ar)
{
    if (m_previewPath.isEmpty())
        return {};
    const QString name = PreviewName(m_previewPath);
    const int format = PreviewFormat(m_previewPath);
    auto target = [&](CMediaCopy::SubFolder sub) {
        return CMediaCopy::PathFromStoredName(ar, IsStandAlone(), sub, name);
    };
    // A still that cannot be read or written is not reported; its name is stored all the same. The
    // component keeps the author's file then, so the next save tries again.
    CxImage picture;
    if (!picture.Load(CorvFs::ToFsPath(m_previewPath), uint32_t(format)))
        return name;
    const QString full = target(CMediaCopy::images);
    if (!picture.Save(CorvFs::ToFsPath(full), uint32_t(format)))
        return name;
    m_previewPath = full;
    if (m_bounds.Width() > 0 && m_bounds.Height() > 0
        && picture.Resample(m_bounds.Width(), m_bounds.Height(), kPreviewInterpolation, kPreviewEdge)) {
        picture.Save(CorvFs::ToFsPath(target(CMediaCopy::imagesResized)), uint32_t(format));
        if (format == ImageFormatPng)
            picture.Save(CorvFs::ToFsPath(target(CMediaCopy::imagesMM)), uint32_t(format));
    }
    return name;
}

void CComponentFlashVideo::SerializeComponent(CArchive &ar)
{
    auto exchangeInt = [&ar](int &value) {
        if (ar.IsStoring())
            ar.WriteInt(value);
        else
            value = ar.ReadInt();
    };
    auto exchangeColour = [&ar](uint32_t &colour) {
        if (ar.IsStoring())
            ar.WriteColor(colour);
        else
            colour = ar.ReadColor();
    };
    if (ar.IsStoring()) {
        ExchangeData(true);
        StoreHead(ar);
    } else {
        LoadBounds(ar);
    }
    exchangeInt(m_autoStart);
    CMediaRecord::SerializeFileName(ar, *this, m_filePath, CMediaCopy::movies);
    if (ar.IsStoring()) {
        ar.WriteString(StorePreview(ar));
    } else {
        const QString preview = ar.ReadString();
        m_previewPath = preview.isEmpty() ? QString()
                                          : CMediaCopy::PathFromStoredName(ar, IsStandAlone(),
                                                                           CMediaCopy::images, preview);
    }
    for (int *value : {&m_volume, &m_playSounds, &m_middleButton, &m_autoHide, &m_flashVersion})
        exchangeInt(*value);
    for (uint32_t *colour : {&m_backgroundColor, &m_barColour, &m_barShadowColour, &m_soundBarColour})
        exchangeColour(*colour);
    for (int *value : {&m_allowFullScreen, &m_defaultColours})
        exchangeInt(*value);
    if (ar.IsLoading())
        ExchangeData(false);
}
