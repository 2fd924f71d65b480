#include "model/ComponentVideo.h"

#include "model/ComponentWindow.h"
#include "model/GlobalHelpers.h"
#include "model/MediaRecord.h"
#include "platform/Archive.h"
#include "platform/CorvContext.h"

namespace {

struct TemplateEntry {
    const char *extension;
    const char *file;  // below source/PlaceHolderText/
};

// The extension alone says how a file is embedded.
const TemplateEntry kTemplates[] = {
    {"avi", "Media/video_avi.txt"},  {"mpeg", "Media/video_mpeg.txt"}, {"mpg", "Media/video_mpeg.txt"},
    {"mov", "Media/video_mov.txt"},  {"wmv", "Media/video_wvx.txt"},   {"rv", "Media/video_realplayer.txt"},
    {"rm", "Media/video_realplayer.txt"}, {"pdf", "Media/pdf.txt"},    {"gif", "Media/animgif.txt"},
    {"swf", "Media/flash.txt"},
};

const char *TemplateFor(const QString &extension)
{
    for (const TemplateEntry &entry : kTemplates)
        if (extension.compare(QLatin1String(entry.extension), Qt::CaseInsensitive) == 0)
            return entry.file;
    return nullptr;
}

bool IsExtension(const QString &extension, const char *which)
{
    return extension.compare(QLatin1String(which), Qt::CaseInsensitive) == 0;
}

} // namespace

CComponentVideo::CComponentVideo() : CComponentBase(ct_video, nullptr, kDefaultBounds) {}

CComponentVideo::CComponentVideo(CEditCanvas *parent) : CComponentBase(ct_video, parent, kDefaultBounds)
{
    m_windowMode = QStringLiteral("window");
}

CComponentVideo::CComponentVideo(CEditCanvas *parent, int type) : CComponentBase(type, parent, kDefaultBounds) {}

void CComponentVideo::SetValues(const Values &values)
{
    static_cast<Values &>(*this) = values;
    ExchangeData(false);
}

void CComponentVideo::SetFilePath(const QString &path)
{
    m_filePath = path;
    if (m_window)
        m_window->UpdateFromComponent();
}

void CComponentVideo::AddPlacementTokens(CPlaceholderTemplate::Tokens &tokens) const
{
    tokens.push_back({"left", QString::number(m_bounds.left)});
    tokens.push_back({"top", QString::number(m_bounds.top)});
    tokens.push_back({"width", QString::number(m_bounds.Width())});
    tokens.push_back({"height", QString::number(m_bounds.Height())});
    tokens.push_back({"bgColour", CPlaceholderTemplate::ColourHex(m_backgroundColor)});
    tokens.push_back({"ver", QString::number(uint32_t(m_flashVersion))});
    tokens.push_back({"vars", CPlaceholderTemplate::AttributeValue(m_flashVars)});
    tokens.push_back({"wmode", CPlaceholderTemplate::AttributeValue(m_windowMode)});
}

CResult<QString> CComponentVideo::BuildPublishHtml(const CCorvContext &context) const
{
    QString extension;
    GetFileExtension(m_filePath, extension);
    const char *file = TemplateFor(extension);
    if (!file)
        return CFailure(
            QStringLiteral("FATAL Error:\nCComponentMedia don't know how to generate file type\n%1").arg(m_filePath));

    QString source;
    GetFileNameFromPath(m_filePath, source, true);
    QString loopText = CPlaceholderTemplate::TrueFalse(m_loop);
    CPlaceholderTemplate::Tokens tokens;
    if (IsExtension(extension, "wmv")) {
        // A Windows Media movie plays through the playlist written beside it.
        source = source.left(source.lastIndexOf(u'.')) + QStringLiteral(".wvx");
        loopText = m_loop == 1 ? QStringLiteral("10000") : QStringLiteral("1");
        tokens.push_back({"uimode", m_controller == 1 ? QStringLiteral("full") : QStringLiteral("none")});
    }
    RemoveUnsafeChars(source);
    AddPlacementTokens(tokens);
    const bool real = IsExtension(extension, "rv") || IsExtension(extension, "rm");
    const QString controller =
        real ? (m_controller == 1 ? QStringLiteral("imageWindow,ControlPanel,StatusBar") : QStringLiteral("imageWindow"))
             : CPlaceholderTemplate::TrueFalse(m_controller);
    tokens.insert(tokens.end(), {
        {"src", CPlaceholderTemplate::AttributeValue(source)},
        {"autostart", CPlaceholderTemplate::TrueFalse(m_autoStart)},
        {"loop", loopText},
        {"controller", controller},
        {"autostart2", CPlaceholderTemplate::TrueFalse(m_autoStart)},
        {"loop2", CPlaceholderTemplate::TrueFalse(m_loop)},
        {"controller2", CPlaceholderTemplate::TrueFalse(m_controller)},
        {"toolbar", CPlaceholderTemplate::OneZero(m_toolbar)},
        {"scrollbar", CPlaceholderTemplate::OneZero(m_scrollBar)},
        {"navpanes", CPlaceholderTemplate::OneZero(m_navPanes)},
    });
    return CPlaceholderTemplate::Expand(context, QString::fromLatin1(file),
                                        QStringLiteral("FATAL Error:\nCComponentMedia: Could not open file\n%1"),
                                        tokens);
}

std::unique_ptr<CComponentBase> CComponentVideo::Clone(bool keepPosition) const
{
    return CloneKind<CComponentVideo>(keepPosition);
}

void CComponentVideo::SerializeVideoHead(CArchive &ar)
{
    if (ar.IsStoring()) {
        ExchangeData(true);
        StoreHead(ar);
        ar.WriteInt(m_autoStart);
        ar.WriteInt(m_controller);
        ar.WriteInt(m_loop);
        ar.WriteString(m_windowMode);
        ar.WriteString(m_flashVars);
        ar.WriteColor(m_backgroundColor);
        ar.WriteInt(m_flashVersion);
        return;
    }
    LoadBounds(ar);
    if (IsSchemaAbove(kPlayOptionsGate)) {
        m_autoStart = ar.ReadInt();
        m_controller = ar.ReadInt();
        m_loop = ar.ReadInt();
    }
    if (IsSchemaAbove(kWindowModeGate))
        m_windowMode = ar.ReadString();
    if (IsSchemaAbove(kFlashSettingsGate)) {
        m_flashVars = ar.ReadString();
        m_backgroundColor = ar.ReadColor();
        m_flashVersion = ar.ReadInt();
    }
}

void CComponentVideo::SerializeComponent(CArchive &ar)
{
    SerializeVideoHead(ar);
    if (ar.IsStoring()) {
        ar.WriteInt(m_toolbar);
        ar.WriteInt(m_scrollBar);
        ar.WriteInt(m_navPanes);
    } else if (IsSchemaAbove(kPdfOptionsGate)) {
        m_toolbar = ar.ReadInt();
        m_scrollBar = ar.ReadInt();
        m_navPanes = ar.ReadInt();
    }
    CMediaRecord::SerializeFileName(ar, *this, m_filePath, CMediaCopy::movies, CMediaCopy::videoPlaylist);
    if (ar.IsLoading())
        ExchangeData(false);
}
