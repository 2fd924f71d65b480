#include "model/ComponentAudio.h"

#include "model/ComponentWindow.h"
#include "model/CorvPage.h"
#include "model/MediaCopy.h"
#include "platform/Archive.h"

CComponentAudio::CComponentAudio() : CComponentBase(ct_audio)
{
    m_bounds = kDefaultBounds;
}

CComponentAudio::CComponentAudio(CEditCanvas *parent) : CComponentBase(ct_audio)
{
    m_bounds = kDefaultBounds;
    CreateComponentWindow(parent);
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

std::unique_ptr<CComponentBase> CComponentAudio::Clone(bool keepPosition) const
{
    auto copy = std::make_unique<CComponentAudio>(m_parent);
    copy->SetBounds(ClonedBounds(keepPosition), true);
    copy->m_playButton = m_playButton;
    copy->m_autoStart = m_autoStart;
    copy->m_buttonControls = m_buttonControls;
    copy->m_loop = m_loop;
    copy->SetFilePath(m_filePath);
    return copy;
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
        const CMediaCopy::Result copy = CMediaCopy::CopyOnSave(ar, m_filePath, IsStandAlone(), CMediaCopy::sounds,
                                                               CMediaCopy::audioPlaylist, m_playButton == 1);
        m_filePath = copy.path;
        ar.WriteString(copy.storedName);
        return;
    }
    LoadBounds(ar);
    m_playButton = ar.ReadInt();
    if (IsSchemaAbove(kControlsGate)) {
        m_autoStart = ar.ReadInt();
        m_buttonControls = ar.ReadInt();
        m_loop = ar.ReadInt();
    }
    m_filePath = CMediaCopy::PathFromStoredName(ar, IsStandAlone(), CMediaCopy::sounds, ar.ReadString());
    ExchangeData(false);
}
