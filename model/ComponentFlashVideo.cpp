#include "model/ComponentFlashVideo.h"

#include "image/xImage.h"
#include "model/GlobalHelpers.h"
#include "model/MediaRecord.h"
#include "model/PictureFiles.h"
#include "platform/Archive.h"
#include "platform/PathUtil.h"

namespace {

constexpr int kStillInterpolation = InterpolationLanczos;
constexpr int kStillEdge = EdgeRepeat;

QString Flag(int value)
{
    return value != 0 ? QStringLiteral("true") : QStringLiteral("false");
}

int StillImageFormat(const QString &stillImagePath)
{
    return GetImageFormatFromExt(stillImagePath) == ImageFormatJpg ? ImageFormatJpg : ImageFormatPng;
}

} // namespace

CComponentFlashVideo::CComponentFlashVideo(CEditCanvas *parent) : CComponentVideo(parent, ct_flash_video)
{
}

QString CComponentFlashVideo::StillImageName(const QString &stillImagePath)
{
    const QString name = CorvPath::FileName(stillImagePath);
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = dot < 0 ? name + u'.' : name.left(dot + 1);
    return stem + (StillImageFormat(stillImagePath) == ImageFormatJpg ? QStringLiteral("jpg") : QStringLiteral("png"));
}

CResult<QString> CComponentFlashVideo::BuildPublishHtml(const CCorvContext &context) const
{
    QString video;
    GetFileNameFromPath(m_filePath, video, true);
    QString image = QStringLiteral("x.gif");
    if (!m_stillImagePath.isEmpty())
        GetFileNameFromPath(m_stillImagePath, image, true);
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
                                        tokens);
}

std::unique_ptr<CComponentBase> CComponentFlashVideo::Clone(bool keepPosition) const
{
    auto copy = CloneKind<CComponentFlashVideo>(keepPosition);
    copy->SetPlayerValues(GetPlayerValues());
    return copy;
}

void CComponentFlashVideo::SetPlayerValues(const PlayerValues &values)
{
    static_cast<PlayerValues &>(*this) = values;
    ExchangeData(false);
}

QString CComponentFlashVideo::StoreStillImage(const CArchive &ar, CPictureSaveSession &session)
{
    if (m_stillImagePath.isEmpty())
        return {};
    const int format = StillImageFormat(m_stillImagePath);
    // Another picture of this save may want the same name in Images (the still keeps its blanks and the
    // case of its name): the one that comes later gets "_2", "_3", ... rather than overwriting it.
    const QString images = PictureFiles::MediaFolder(ar.GetFilePath(), IsStandAlone(), CMediaCopy::images);
    const QString source =
        QStringLiteral("%1\n%2x%3").arg(m_stillImagePath).arg(m_bounds.Width()).arg(m_bounds.Height());
    const QString name = session.ClaimName(images, StillImageName(m_stillImagePath), source);
    auto target = [&](CMediaCopy::SubFolder sub) {
        return CorvPath::Join(PictureFiles::MediaFolder(ar.GetFilePath(), IsStandAlone(), sub), name);
    };
    // A still that cannot be read or written is not reported; its name is stored all the same. The
    // component keeps the author's file then, so the next save tries again.
    CxImage picture;
    if (!PictureFiles::Load(picture, m_stillImagePath, format))
        return name;
    const QString full = target(CMediaCopy::images);
    if (!PictureFiles::Save(picture, full, format))
        return name;
    m_stillImagePath = full;
    if (m_bounds.Width() > 0 && m_bounds.Height() > 0
        && picture.Resample(m_bounds.Width(), m_bounds.Height(), kStillInterpolation, kStillEdge)) {
        PictureFiles::Save(picture, target(CMediaCopy::imagesResized), format);
        if (format == ImageFormatPng)
            PictureFiles::Save(picture, target(CMediaCopy::imagesMM), format);
    }
    return name;
}

void CComponentFlashVideo::SerializePlayerSettings(CArchive &ar)
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
    for (int *value : {&m_volume, &m_playSounds, &m_middleButton, &m_autoHide, &m_flashVersion})
        exchangeInt(*value);
    for (uint32_t *colour : {&m_backgroundColor, &m_barColour, &m_barShadowColour, &m_soundBarColour})
        exchangeColour(*colour);
    for (int *value : {&m_allowFullScreen, &m_defaultColours})
        exchangeInt(*value);
}

void CComponentFlashVideo::StoreRecord(CArchive &ar, CPictureSaveSession &session)
{
    ExchangeData(true);
    StoreHead(ar);
    ar.WriteInt(m_autoStart);
    CMediaRecord::SerializeFileName(ar, *this, m_filePath, CMediaCopy::movies);
    ar.WriteString(StoreStillImage(ar, session));
    SerializePlayerSettings(ar);
}

void CComponentFlashVideo::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        StoreOnItsOwn(ar);
        return;
    }
    LoadBounds(ar);
    m_autoStart = ar.ReadInt();
    CMediaRecord::SerializeFileName(ar, *this, m_filePath, CMediaCopy::movies);
    const QString still = ar.ReadString();
    m_stillImagePath = still.isEmpty() ? QString()
                                       : CMediaCopy::PathFromStoredName(ar, IsStandAlone(), CMediaCopy::images, still);
    SerializePlayerSettings(ar);
    ExchangeData(false);
}
