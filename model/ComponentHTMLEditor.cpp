#include "model/ComponentHTMLEditor.h"

#include "model/ComponentWindow.h"
#include "platform/Archive.h"

#include <QPainter>

CComponentHTMLEditor::CComponentHTMLEditor(CEditCanvas *parent) : CComponentBase(ct_html_editor, parent) {}

void CComponentHTMLEditor::SetValues(const Values &values)
{
    static_cast<Values &>(*this) = values;
    ExchangeData(false);
}

void CComponentHTMLEditor::SetHtml(const QString &html)
{
    m_html = html;
    if (m_window)
        m_window->UpdateFromComponent();
}

void CComponentHTMLEditor::AddLink(const QString &text, int position, int screenLink, int targetScreen,
                                   const QString &address, int popup, int script, int fullSize, int popupHeight,
                                   int popupWidth)
{
    m_links.insert(m_links.begin(), CURLLink(text, -1, position, screenLink, targetScreen, address, popup, script,
                                             fullSize, popupHeight, popupWidth));
}

void CComponentHTMLEditor::Draw(QPainter &painter) const
{
    painter.save();
    painter.setClipRect(m_bounds.ToQRect());
    painter.drawText(m_bounds.ToQRect(), Qt::AlignLeft | Qt::AlignTop, m_html);
    painter.restore();
}

std::unique_ptr<CComponentBase> CComponentHTMLEditor::Clone(bool keepPosition) const
{
    return CloneKind<CComponentHTMLEditor>(keepPosition);
}

void CComponentHTMLEditor::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        // The author's last edits in the window first.
        ExchangeData(true);
        StoreHead(ar);
        ar.WriteString(m_fileName);
        ar.WriteString(m_html);
        return;
    }
    LoadBounds(ar);
    m_fileName = ar.ReadString();
    m_html = ar.ReadString();
    ExchangeData(false);
}
