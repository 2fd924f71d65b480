#include "model/ComponentMedia.h"

#include "model/ComponentWindow.h"
#include "model/MediaRecord.h"
#include "platform/Archive.h"

CComponentMedia::CComponentMedia(CEditCanvas *parent) : CComponentBase(ct_media, parent, kDefaultBounds) {}

void CComponentMedia::SetValues(const Values &values)
{
    static_cast<Values &>(*this) = values;
    ExchangeData(false);
}

void CComponentMedia::SetFilePath(const QString &path)
{
    m_filePath = path;
    if (m_window)
        m_window->UpdateFromComponent();
}

std::unique_ptr<CComponentBase> CComponentMedia::Clone(bool keepPosition) const
{
    return CloneKind<CComponentMedia>(keepPosition);
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
