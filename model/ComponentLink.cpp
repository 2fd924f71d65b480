#include "model/ComponentLink.h"

#include "model/ComponentWindow.h"
#include "model/CorvPage.h"
#include "model/ScreenLookup.h"
#include "platform/Archive.h"

CComponentLink::CComponentLink(CEditCanvas *parent) : CComponentBase(ct_link, parent) {}

void CComponentLink::SetValues(const Values &values)
{
    static_cast<Values &>(*this) = values;
    ExchangeData(false);
}

void CComponentLink::SetText(const QString &caption)
{
    m_caption = caption;
    ExchangeData(false);
}

void CComponentLink::SetTargetPage(const CCorvPage *page)
{
    m_targetPageId = page ? page->GetId() : -1;
}

CCorvPage *CComponentLink::GetTargetPage(const CScreenLookup &document) const
{
    if (m_targetPageId < 0)
        return nullptr;
    return document.FindScreenByNumber(m_targetPageId);
}

void CComponentLink::SetFont(const QString &face, int points)
{
    m_hasFont = true;
    m_fontFace = face;
    m_fontPoints = points;
    if (m_window)
        m_window->UpdateFromComponent();
}

void CComponentLink::SetBounds(const CRect &rect, bool /*move*/)
{
    m_bounds = rect;
    ExchangeData(false);
}

void CComponentLink::ExchangeData(bool save)
{
    if (!m_window || save) {
        CComponentBase::ExchangeData(save);
        return;
    }
    // A link is as large as its caption: the window measures it before it is moved there.
    m_window->UpdateFromComponent();
    const QSize extent = m_window->GetTextExtent(m_caption);
    m_bounds = CRect(m_bounds.left, m_bounds.top, m_bounds.left + extent.width(), m_bounds.top + extent.height());
    m_window->MoveWindow(m_bounds);
    m_window->Invalidate();
}

std::unique_ptr<CComponentBase> CComponentLink::Clone(bool keepPosition) const
{
    return CloneKind<CComponentLink>(keepPosition);
}

void CComponentLink::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        ExchangeData(true);
        StoreHead(ar);
        ar.WriteString(m_caption);
        ar.WriteString(m_fixedTargetId);
        ar.WriteString(m_targetLabel);
        return;
    }
    LoadBounds(ar);
    m_caption = ar.ReadString();
    m_fixedTargetId = ar.ReadString();
    m_targetLabel = ar.ReadString();
    ExchangeData(false);
}
