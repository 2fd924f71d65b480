#include "model/CorvPage.h"

#include "model/ComponentAudio.h"
#include "model/ComponentBase.h"
#include "model/ComponentLink.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentWindow.h"
#include "model/EditCanvas.h"
#include "model/GlobalHelpers.h"
#include "model/ScreenLookup.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"

#include <algorithm>

namespace {

constexpr int kBrokenLinkQuestion = 61446;

bool IsTopicButton(const CComponentBase &component)
{
    return component.GetType() == ct_small_topic || component.GetType() == ct_large_topic;
}

bool IsEditingKind(int type)
{
    return type == ct_textbox || type == ct_table || type == ct_html_editor;
}

} // namespace

CCorvPage::CCorvPage(int id, const QString &title, const QString &banner, const QString &sourceDocument,
                     int assessable, const QString &label, int pageType, int thumbnailIndex)
    : m_id(id), m_title(title), m_banner(banner), m_sourceDocument(sourceDocument), m_assessable(assessable),
      m_label(label), m_pageType(pageType), m_thumbnailIndex(thumbnailIndex)
{
}

CCorvPage::~CCorvPage()
{
    // Back to front, so nothing refers to an already deleted component while the list empties.
    while (!m_components.empty())
        m_components.pop_back();
}

bool CCorvPage::IsAssessmentPage() const
{
    return m_pageType == pt_asmt_folder || m_pageType == pt_asmt_container || m_pageType == pt_asmt_document;
}

bool CCorvPage::IsPopupsFolder() const
{
    return m_pageType == pt_popups_only;
}

bool CCorvPage::IsGlossaryFolder() const
{
    return m_pageType == pt_glossary;
}

bool CCorvPage::IsMultiTopicMenu()
{
    if (m_pageType != pt_folder)
        return false;
    if (m_menuKind == apt_multi_topic_menu)
        return true;
    for (const auto &c : m_components)
        if (IsTopicButton(*c)) {
            m_menuKind = apt_multi_topic_menu;
            return true;
        }
    return false;
}

CComponentBase *CCorvPage::GetComponent(int index) const
{
    if (index < 0 || index >= int(m_components.size()))
        return nullptr;
    return m_components[size_t(index)].get();
}

CCorvPage::ComponentList::iterator CCorvPage::Find(const CComponentBase *component)
{
    return std::find_if(m_components.begin(), m_components.end(),
                        [component](const auto &c) { return c.get() == component; });
}

bool CCorvPage::Contains(const CComponentBase *component) const
{
    return component && std::any_of(m_components.begin(), m_components.end(),
                                     [component](const auto &c) { return c.get() == component; });
}

CStatus CCorvPage::AddComponent(std::unique_ptr<CComponentBase> &&component)
{
    if (!component)
        return CFailure(QStringLiteral("There is no component to add to the screen."));
    if (auto *audio = dynamic_cast<CComponentAudio *>(component.get())) {
        for (const auto &c : m_components) {
            auto *other = dynamic_cast<CComponentAudio *>(c.get());
            if (other && other->GetPlayButton() == audio->GetPlayButton()
                && other->GetFilePath().compare(audio->GetFilePath(), Qt::CaseInsensitive) == 0) {
                return CFailure(
                    QStringLiteral("There is already audio file\n%1\non this screen").arg(other->GetFilePath()));
            }
        }
    }
    if (IsTopicButton(*component))
        m_menuKind = apt_multi_topic_menu;
    component->SetOwnerPage(this);
    m_components.push_back(std::move(component));
    return {};
}

std::unique_ptr<CComponentBase> CCorvPage::DetachComponent(CComponentBase *component)
{
    auto it = Find(component);
    if (!component || it == m_components.end())
        return nullptr;
    std::unique_ptr<CComponentBase> detached = std::move(*it);
    m_components.erase(it);
    detached->SetOwnerPage(nullptr);
    return detached;
}

void CCorvPage::RemoveComponent(CComponentBase *component, int cascade)
{
    if (!Contains(component))
        return;
    if (cascade == 1) {
        if (auto *audio = dynamic_cast<CComponentAudio *>(component))
            if (CComponentAudio *partner = audio->FindPartnerButton())
                RemoveComponent(partner, 0);
    }
    DetachComponent(component);  // deleted here, with its window
}

void CCorvPage::MoveTo(CComponentBase *component, bool toFront)
{
    std::unique_ptr<CComponentBase> moved = DetachComponent(component);
    if (!moved)
        return;
    moved->SetOwnerPage(this);
    if (toFront)
        m_components.push_back(std::move(moved));
    else
        m_components.insert(m_components.begin(), std::move(moved));
    if (m_canvas)
        ShowOnCanvas(*m_canvas);
}

void CCorvPage::BringToTop(CComponentBase *component)
{
    MoveTo(component, true);
}

void CCorvPage::SendToBack(CComponentBase *component)
{
    MoveTo(component, false);
}

void CCorvPage::ShowOnCanvas(CEditCanvas &canvas)
{
    m_canvas = &canvas;
    canvas.ClearDisplayedComponents();
    for (const auto &c : m_components) {
        c->AttachToCanvas(canvas);
        c->Show();
        canvas.AppendDisplayedComponent(c.get());
    }
    canvas.Invalidate();
}

void CCorvPage::LeaveCanvas()
{
    for (size_t i = m_components.size(); i-- > 0;) {
        CComponentBase *c = m_components[i].get();
        if (c->GetType() == ct_textbox && c->GetTextLength() == 0)
            m_components.erase(m_components.begin() + std::ptrdiff_t(i));
    }
    for (const auto &c : m_components)
        c->Hide();
    if (m_canvas)
        m_canvas->ClearDisplayedComponents();
    m_canvas = nullptr;
    m_modified = 0;
}

void CCorvPage::OffsetComponents(int dx, int dy)
{
    for (const auto &c : m_components) {
        CRect rect = c->GetBounds();
        rect.OffsetRect(dx, dy);
        c->SetBounds(rect, true);
    }
}

bool CCorvPage::HasComponentOfType(int type) const
{
    return std::any_of(m_components.begin(), m_components.end(),
                       [type](const auto &c) { return c->GetType() == type; });
}

int CCorvPage::GetComponentsOfType(int type, std::vector<CComponentBase *> &out) const
{
    out.clear();
    for (const auto &c : m_components)
        if (c->GetType() == type)
            out.push_back(c.get());
    return int(out.size());
}

int CCorvPage::GetImageComponents(std::vector<CComponentBase *> &out) const
{
    GetComponentsOfType(ct_image, out);
    if (out.size() > 2)
        out.resize(2);
    return int(out.size());
}

int CCorvPage::CollectRichEdits(std::vector<CRichText *> &out) const
{
    out.clear();
    for (const auto &c : m_components) {
        if (c->GetType() == ct_textbox) {
            if (CRichText *text = c->GetEditorText())
                out.push_back(text);
        } else if (auto *table = dynamic_cast<CComponentTable *>(c.get())) {
            for (CRichTextLinks &cell : table->GetCellList())
                out.push_back(&cell.GetRichText());
        }
    }
    return int(out.size());
}

int CCorvPage::GetFirstTwoTextEditors(std::vector<CRichText *> &out) const
{
    out.clear();
    for (const auto &c : m_components) {
        if (out.size() == 2)
            break;
        if (c->GetType() != ct_textbox && c->GetType() != ct_complete_paragraph)
            continue;
        if (CRichText *text = c->GetEditorText())
            out.push_back(text);
    }
    return int(out.size());
}

void CCorvPage::ResetCarets()
{
    // The selection lives in the text itself; the windows only show it.
    std::vector<CRichText *> texts;
    CollectRichEdits(texts);
    for (CRichText *text : texts)
        text->SetSel(0, 0);
    for (const auto &c : m_components)
        if (IsEditingKind(c->GetType()))
            if (CComponentWindow *window = c->GetComponentWindow())
                window->ResetCaret();
}

void CCorvPage::EnableEditors(const CComponentBase *selected)
{
    // The selection's window is live (editing text, or showing its kind's own look); the others are not.
    for (const auto &c : m_components)
        if (CComponentWindow *window = c->GetComponentWindow())
            window->EnableEditing(c.get() == selected);
}

void CCorvPage::CheckLinks(const CScreenLookup &document, int ask, CPrompt &prompt)
{
    std::vector<CComponentBase *> links;
    for (const auto &c : m_components) {
        auto *link = dynamic_cast<CComponentLink *>(c.get());
        if (!link || document.FindMainScreenByNumber(link->GetTargetPageId()))
            continue;
        if (ask == 1 && !prompt.YesNo(CStringTable::Load(kBrokenLinkQuestion).arg(m_title)))
            continue;
        links.push_back(link);
    }
    for (CComponentBase *link : links)
        RemoveComponent(link, 1);
}
