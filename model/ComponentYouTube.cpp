#include "model/ComponentYouTube.h"

#include "platform/Archive.h"

CComponentYouTube::CComponentYouTube(CEditCanvas *parent) : CComponentBase(ct_youtube, parent, kDefaultBounds) {}

void CComponentYouTube::SetValues(const Values &values)
{
    static_cast<Values &>(*this) = values;
    ExchangeData(false);
}

std::unique_ptr<CComponentBase> CComponentYouTube::Clone(bool keepPosition) const
{
    return CloneKind<CComponentYouTube>(keepPosition);
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
