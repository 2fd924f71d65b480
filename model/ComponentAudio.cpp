#include "model/ComponentAudio.h"

#include "model/ComponentWindow.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/MediaRecord.h"
#include "model/PlaceholderTemplate.h"
#include "platform/Archive.h"

namespace {

struct MimeEntry {
    const char *extension;
    const char *subType;
};

// Sub-types of "audio/" by extension; any other extension is "basic".
const MimeEntry kAudioTypes[] = {
    {"au", "basic"}, {"aif", "x-aiff"}, {"mid", "mid"}, {"mp3", "mpeg"}, {"wav", "x-wav"}, {"wax", "x-ms-wax"},
};

bool IsExtension(const QString &extension, const char *which)
{
    return extension.compare(QLatin1String(which), Qt::CaseInsensitive) == 0;
}

QString AudioType(const QString &extension)
{
    for (const MimeEntry &entry : kAudioTypes)
        if (IsExtension(extension, entry.extension))
            return QStringLiteral("audio/") + QLatin1String(entry.subType);
    return QStringLiteral("audio/basic");
}

} // namespace

CComponentAudio::CComponentAudio(CEditCanvas *parent) : CComponentBase(ct_audio, parent, kDefaultBounds) {}

void CComponentAudio::SetValues(const Values &values)
{
    static_cast<Values &>(*this) = values;
    ExchangeData(false);
}

void CComponentAudio::SetFilePath(const QString &path)
{
    m_filePath = path;
    if (m_window)
        m_window->UpdateFromComponent();
}

CComponentAudio *CComponentAudio::FindPartnerButton() const
{
    if (m_buttonControls == 0 || !GetOwnerPage())
        return nullptr;
    std::vector<CComponentBase *> audios;
    GetOwnerPage()->GetComponentsOfType(ct_audio, audios);
    for (CComponentBase *c : audios) {
        auto *other = dynamic_cast<CComponentAudio *>(c);
        if (other && other != this && other->m_filePath.compare(m_filePath, Qt::CaseInsensitive) == 0)
            return other;
    }
    return nullptr;
}

CResult<QString> CComponentAudio::BuildPublishHtml(const CCorvContext &context, int number) const
{
    if (m_filePath.isEmpty())
        return QString();
    QString source;
    GetFileNameFromPath(m_filePath, source, true);
    QString extension;
    GetFileExtension(m_filePath, extension);
    if (IsExtension(extension, "wma")) {
        source = source.left(source.lastIndexOf(u'.')) + QStringLiteral(".wax");
        extension = QStringLiteral("wax");
    }
    const bool real = IsExtension(extension, "ra") || IsExtension(extension, "rm");
    const QString file = real ? QStringLiteral("Media/audio_realplayer.txt") : QStringLiteral("Media/audio.txt");
    const QString type = real ? QStringLiteral("audio/x-pn-realaudio-plugin") : AudioType(extension);
    const CPlaceholderTemplate::Tokens tokens = {
        {"num", QString::number(number)},
        {"src", CPlaceholderTemplate::AttributeValue(source)},
        {"type", type},
        {"autostart", CPlaceholderTemplate::OneZero(m_autoStart)},
        {"autostart2", CPlaceholderTemplate::TrueFalse(m_autoStart)},
        {"loop", CPlaceholderTemplate::OneZero(m_loop)},
        {"loop2", CPlaceholderTemplate::TrueFalse(m_loop)},
    };
    return CPlaceholderTemplate::Expand(context, file, QStringLiteral("FATAL Error:\nCould not open file\n%1"), tokens);
}

std::unique_ptr<CComponentBase> CComponentAudio::Clone(bool keepPosition) const
{
    return CloneKind<CComponentAudio>(keepPosition);
}

void CComponentAudio::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        ExchangeData(true);
        StoreHead(ar);
        ar.WriteInt(m_playButton);
        ar.WriteInt(m_autoStart);
        ar.WriteInt(m_buttonControls);
        ar.WriteInt(m_loop);
        // Only the Play button (or a single icon) copies the clip; a Stop button points at the same copy.
        CMediaRecord::SerializeFileName(ar, *this, m_filePath, CMediaCopy::sounds, CMediaCopy::audioPlaylist,
                                        m_playButton == 1);
        return;
    }
    LoadBounds(ar);
    m_playButton = ar.ReadInt();
    if (IsSchemaAbove(kControlsGate)) {
        m_autoStart = ar.ReadInt();
        m_buttonControls = ar.ReadInt();
        m_loop = ar.ReadInt();
    }
    CMediaRecord::SerializeFileName(ar, *this, m_filePath, CMediaCopy::sounds);
    ExchangeData(false);
}
