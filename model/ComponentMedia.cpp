#include "model/ComponentMedia.h"

#include "model/ComponentWindow.h"
#include "model/MediaRecord.h"
#include "platform/Archive.h"

CComponentMedia::CComponentMedia(CEditCanvas *parent) : CComponentBase(ct_media)
{
    m_bounds = kDefaultBounds;
    CreateComponentWindow(parent);
}

void CComponentMedia::SetFilePath(const QString &path)
{
    m_filePath = path;
    if (m_window)
        m_window->UpdateFromComponent();
}

std::unique_ptr<CComponentBase> CComponentMedia::Clone(bool keepPosition) const
{
    auto copy = std::make_unique<CComponentMedia>(m_parent);
    copy->SetBounds(ClonedBounds(keepPosition), true);
    copy->m_option1 = m_option1;
    copy->m_option2 = m_option2;
    copy->m_option3 = m_option3;
    copy->SetFilePath(m_filePath);
    copy->ExchangeData(false);
    return copy;
}

void CComponentMedia::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        ExchangeData(true);
        StoreHead(ar);
        ar.WriteInt(m_option1);
        ar.WriteInt(m_option2);
        ar.WriteInt(m_option3);
        CMediaRecord::SerializeFileName(ar, *this, m_filePath, CMediaCopy::movies, CMediaCopy::videoPlaylist);
        return;
    }
    // The three values are read whatever the schema, as they are always written.
    LoadBounds(ar);
    m_option1 = ar.ReadInt();
    m_option2 = ar.ReadInt();
    m_option3 = ar.ReadInt();
    CMediaRecord::SerializeFileName(ar, *this, m_filePath, CMediaCopy::movies);
    ExchangeData(false);
}
