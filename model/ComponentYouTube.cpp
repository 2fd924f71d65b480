#include "model/ComponentYouTube.h"

#include "platform/Archive.h"

CComponentYouTube::CComponentYouTube(CEditCanvas *parent) : CComponentBase(ct_youtube)
{
    m_bounds = kDefaultBounds;
    CreateComponentWindow(parent);
}

std::unique_ptr<CComponentBase> CComponentYouTube::Clone(bool keepPosition) const
{
    auto copy = std::make_unique<CComponentYouTube>(m_parent);
    copy->SetBounds(ClonedBounds(keepPosition), true);
    copy->m_embedCode = m_embedCode;
    return copy;
}

void CComponentYouTube::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        ExchangeData(true);
        StoreHead(ar);
        ar.WriteString(m_embedCode);
        return;
    }
    LoadBounds(ar);
    m_embedCode = ar.ReadString();
    ExchangeData(false);
}
