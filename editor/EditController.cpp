#include "editor/EditController.h"

#include "document/CorvessaDoc.h"
#include "document/ScreenFactory.h"
#include "editor/OutlineRules.h"
#include "editor/OutlineTreeSync.h"
#include "editor/PageIds.h"
#include "model/ComponentBase.h"
#include "model/ComponentRemediation.h"
#include "model/ComponentTopicButton.h"
#include "model/ComponentType.h"
#include "model/CorvPage.h"
#include "model/EditCanvas.h"
#include "model/GlobalHelpers.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"

CEditController::CEditController(CCorvessaDoc &document) : m_doc(document) {}

CEditController::~CEditController() = default;

void CEditController::Call(const std::function<void()> &hook) const
{
    if (hook)
        hook();
}

void CEditController::NotifyOutline()
{
    if (m_listener)
        m_listener->OutlineChanged();
}

void CEditController::NotifyThumbnails()
{
    if (m_listener)
        m_listener->ThumbnailsChanged();
}

void CEditController::NotifyCurrent()
{
    if (m_listener)
        m_listener->CurrentChanged();
}

// ---- Life ----

void CEditController::OnInitialUpdate()
{
    m_current = nullptr;
    m_currentThumb = -1;
    m_currentItem = nullptr;
    ClearComponentClipboard();
    // A screen number of the project before means nothing in this one.
    m_copiedScreen = -1;
    SelectFirstThumbnail();
}

void CEditController::ForgetCurrentScreen()
{
    m_current = nullptr;
    m_currentItem = nullptr;
    m_currentThumb = -1;
    Call(m_hooks.emptyCanvasList);
}

void CEditController::OnUpdate()
{
    bool stillThere = false;
    for (const CCorvessaDoc::ScreenList *list : {&m_doc.MainScreens(), &m_doc.PopupScreens(), &m_doc.GlossaryScreens()})
        for (const auto &screen : *list)
            stillThere = stillThere || screen.get() == m_current;
    if (!stillThere)
        ForgetCurrentScreen();
    BuildThumbnails();
    RebuildTree();
    Call(m_hooks.layoutAllMenus);
    Call(m_hooks.clearCanvasSelection);
    if (!m_current) {
        SelectFirstThumbnail();
    } else {
        m_thumbs.SetStates(m_currentThumb, true, true, false);
        NotifyCurrent();
    }
}

// ---- Current screen ----

void CEditController::ChangeCurrentScreen(CCorvPage *screen)
{
    if (m_current) {
        if (m_current->GetModified()) {
            RefreshCurrentThumbnail();
            m_current->SetModified(0);
        }
        m_current->LeaveCanvas();
    }
    Call(m_hooks.clearCanvasSelection);
    Call(m_hooks.deleteCanvasTrackers);
    m_current = screen;
    ShowCurrent();
}

void CEditController::ShowCurrent()
{
    if (m_hooks.showScreen) {
        m_hooks.showScreen(m_current);
        return;
    }
    if (m_current && m_canvas)
        m_current->ShowOnCanvas(*m_canvas);
}

void CEditController::SelectThumbnail(int index)
{
    CCorvPage *screen = m_thumbs.GetItemData(index);
    if (!screen)
        return;
    ChangeCurrentScreen(screen);
    m_thumbs.ClearStates();
    m_thumbs.SetStates(index, true, true, false);
    m_currentThumb = index;
    m_currentItem = FindTreeItemOfPage(screen);
    NotifyCurrent();
}

void CEditController::SelectTreeItem(Item *item, bool byUser)
{
    if (!item)
        return;
    if (!byUser) {
        // A selection the program made (after a drop on the outline) keeps the current screen; the canvas
        // lists its components afresh at once, so it never stands blank or holds a stale list.
        Call(m_hooks.emptyCanvasList);
        ShowCurrent();
        return;
    }
    CCorvPage *screen = m_tree.GetItemData(item);
    if (screen == m_current) {
        m_currentItem = item;
        return;
    }
    ChangeCurrentScreen(screen);
    m_currentItem = item;
    m_currentThumb = FindThumbnailIndex(screen);
    m_thumbs.ClearStates();
    m_thumbs.SetStates(m_currentThumb, true, true, false);
    NotifyCurrent();
}

void CEditController::MakeCurrentScreen(CCorvPage *screen)
{
    if (Item *item = FindTreeItemOfPage(screen))
        SelectTreeItem(item, true);
}

void CEditController::SelectFirstThumbnail()
{
    if (m_thumbs.GetItemCount() == 0)
        return;
    if (m_current) {
        m_current->LeaveCanvas();
        Call(m_hooks.clearCanvasSelection);
    }
    m_thumbs.ClearStates();
    m_thumbs.SetStates(0, true, true, false);
    m_current = m_thumbs.GetItemData(0);
    // The outline follows the thumbnail, so the three stay consistent.
    m_currentThumb = 0;
    m_currentItem = FindTreeItemOfPage(m_current);
    ShowCurrent();
    NotifyCurrent();
}

// ---- Thumbnails ----

bool CEditController::HasThumbnail(const CCorvPage *screen)
{
    if (!screen)
        return false;
    const int type = screen->GetPageType();
    return type == pt_folder || type == pt_document || type == pt_question || type == pt_asmt_document;
}

void CEditController::BuildThumbnails()
{
    m_thumbs.ResetImageLists();
    for (const CCorvessaDoc::ScreenList *list : {&m_doc.MainScreens(), &m_doc.PopupScreens(), &m_doc.GlossaryScreens()})
        for (const auto &screen : *list)
            if (HasThumbnail(screen.get())) {
                const int image = m_thumbs.AddImage();
                screen->SetThumbnailIndex(image);
                m_thumbs.InsertItem(m_thumbs.GetItemCount(), screen->GetLabel(), image, screen.get());
            }
    m_thumbs.RelabelThumbnails();
    m_currentThumb = FindThumbnailIndex(m_current);
    NotifyThumbnails();
}

void CEditController::AppendThumbnails(bool stripMainMarks)
{
    for (const CCorvessaDoc::ScreenList *list : {&m_doc.MainScreens(), &m_doc.PopupScreens(), &m_doc.GlossaryScreens()})
        for (const auto &screen : *list) {
            if (stripMainMarks && list == &m_doc.MainScreens() && PageIds::HasListPrefix(screen->GetLabel()))
                screen->SetLabel(screen->GetLabel().mid(1));
            if (!HasThumbnail(screen.get()))
                continue;
            int image = screen->GetThumbnailIndex();
            if (image < 0 || image >= m_thumbs.GetImageCount()) {
                image = m_thumbs.AddImage();
                screen->SetThumbnailIndex(image);
            }
            m_thumbs.InsertItem(m_thumbs.GetItemCount(), screen->GetLabel(), image, screen.get());
        }
}

void CEditController::RefillThumbnails()
{
    m_thumbs.DeleteAllItems();
    AppendThumbnails(true);
    m_thumbs.RelabelThumbnails();
    m_currentThumb = FindThumbnailIndex(m_current);
    m_thumbs.SetStates(m_currentThumb, true, true, false);
    NotifyThumbnails();
}

void CEditController::RefreshCurrentThumbnail()
{
    // A current screen without a thumbnail (a container, a folder of its own) has no picture to replace.
    if (!m_current || m_currentThumb < 0 || m_currentThumb >= m_thumbs.GetItemCount())
        return;
    m_thumbs.InvalidateImage(m_thumbs.GetItem(m_currentThumb).image);
    if (m_listener)
        m_listener->ThumbnailImageChanged(m_currentThumb);
}

void CEditController::RefreshPageThumbnail(CCorvPage *screen)
{
    const int index = FindThumbnailIndex(screen);
    if (index < 0)
        return;
    m_thumbs.InvalidateImage(m_thumbs.GetItem(index).image);
    if (m_listener)
        m_listener->ThumbnailImageChanged(index);
}

// ---- Outline ----

void CEditController::RebuildTree()
{
    m_tree.RebuildFromScreenLists(m_doc.MainScreens(), m_doc.PopupScreens(), m_doc.GlossaryScreens());
    m_currentItem = FindTreeItemOfPage(m_current);
    NotifyOutline();
}

CEditController::Item *CEditController::FindTreeItemOfPage(const CCorvPage *screen) const
{
    return OutlineRules::FindTreeItemOfPage(m_tree, screen);
}

void CEditController::UpdateCurrentTreeItemText()
{
    if (m_currentItem && m_currentItem->screen) {
        m_currentItem->text = m_currentItem->screen->GetTitle();
        NotifyOutline();
    }
}

// ---- Screen identifiers and placement ----

bool CEditController::NewPageIdForInsert(QString &currentLabel, QString &newLabel)
{
    if (m_doc.Settings().MenuBasedCourse == 1 && !m_current) {
        m_doc.Prompt().Information(QStringLiteral("This is a multiple topic, cannot add anything to empty "));
        return false;
    }
    if (m_current) {
        currentLabel = m_current->GetLabel();
        const int type = m_current->GetPageType();
        if (type == pt_container || type == pt_popups_only || type == pt_glossary) {
            newLabel = PageIds::ChildPageId(m_tree, m_currentItem ? m_currentItem : FindTreeItemOfPage(m_current));
            return true;
        }
    }
    newLabel = PageIds::NextPageId(currentLabel);
    return true;
}

bool CEditController::AddPageAndSelect(CCorvPage *screen)
{
    if (!screen)
        return false;
    Item *item = nullptr;
    if (m_currentItem) {
        Item *parent = m_currentItem;
        while (parent && !(parent->screen && PageIds::IdHasPrefix(screen->GetLabel(), parent->screen->GetLabel())))
            parent = m_tree.GetParentItem(parent);
        if (!parent)
            item = m_tree.InsertItem(screen->GetTitle(), screen, nullptr, m_currentItem);
        else
            item = m_tree.InsertItem(screen->GetTitle(), screen, parent, parent == m_currentItem ? nullptr : m_currentItem);
    } else {
        item = m_tree.InsertItem(screen->GetTitle(), screen);
    }
    m_currentItem = item;

    if (HasThumbnail(screen)) {
        const int image = m_thumbs.AddImage();
        screen->SetThumbnailIndex(image);
        const int at = m_currentThumb < 0 ? m_thumbs.GetItemCount() : m_currentThumb + 1;
        const int index = m_thumbs.InsertItem(at, QString::number(at + 1), image, screen);
        m_thumbs.ClearStates();
        m_thumbs.SetStates(index, true, true, true);
        m_currentThumb = index;
        NotifyThumbnails();
    }
    m_current = screen;
    NotifyOutline();
    NotifyCurrent();
    return true;
}

bool CEditController::CanAddScreenHere() const
{
    return OutlineRules::CanAddScreenHere(m_tree, m_currentItem, m_doc.Settings().MenuBasedCourse);
}

bool CEditController::CanInsertQuestion() const { return OutlineRules::CanInsertQuestion(m_current); }

// ---- Clipboards ----

void CEditController::CopyComponent(const CComponentBase *component)
{
    ClearComponentClipboard();
    m_copiedScreen = -1;
    if (component)
        m_clipboard = component->Clone(false);
}

void CEditController::ClearComponentClipboard() { m_clipboard.reset(); }

void CEditController::CopyScreen(const CCorvPage *screen)
{
    ClearComponentClipboard();
    m_copiedScreen = screen ? screen->GetId() : -1;
}

CCorvPage *CEditController::GetCopiedScreen() const
{
    return m_copiedScreen < 0 ? nullptr : m_doc.FindScreenByNumber(m_copiedScreen);
}

// ---- Outline operations ----

void CEditController::Renumber()
{
    COutlineTreeSync sync(m_doc, m_tree);
    sync.NumberOutline();
    sync.RebuildScreenLists();
    RefillThumbnails();
    NotifyOutline();
}

void CEditController::AfterOutlineChange()
{
    m_currentItem = FindTreeItemOfPage(m_current);
    m_doc.SetModifiedFlag(true);
}

void CEditController::CopyChildren(Item *source, Item *copy)
{
    for (Item *child = m_tree.GetChildItem(source); child; child = m_tree.GetNextSiblingItem(child)) {
        Item *made = m_tree.InsertItem(child->text, child->screen, copy);
        CopyChildren(child, made);
    }
}

CEditController::Item *CEditController::CopySubtree(Item *source, Item *target, bool asChild, bool withSiblings)
{
    if (!source || !target)
        return nullptr;
    Item *first = nullptr;
    if (asChild) {
        if (CCorvPage *t = target->screen; t && (t->GetPageType() == pt_document || t->GetPageType() == pt_question))
            t->SetPageType(pt_folder);
        first = m_tree.InsertItem(source->text, source->screen, target);
        CopyChildren(source, first);
    } else if (withSiblings) {
        for (Item *s = source; s; s = m_tree.GetNextSiblingItem(s)) {
            Item *made = m_tree.InsertItem(s->text, s->screen, target);
            CopyChildren(s, made);
            if (!first)
                first = made;
        }
    } else {
        first = m_tree.InsertItem(source->text, source->screen, m_tree.GetParentItem(target), target);
        CopyChildren(source, first);
    }
    return first;
}

void CEditController::MoveToList(CCorvPage *screen, List to, CCorvPage *after)
{
    const bool inMain = m_doc.ContainsScreen(screen, false);
    const bool inPopups = m_doc.ContainsScreen(screen, true);
    const bool inGlossary = m_doc.IsGlossaryScreen(screen);
    if ((to == List::main && inMain) || (to == List::popups && inPopups) || (to == List::glossary && inGlossary))
        return;
    std::unique_ptr<CCorvPage> taken = inMain       ? m_doc.RemoveScreen(screen, false)
                                       : inPopups   ? m_doc.RemovePopupScreen(screen, false)
                                       : inGlossary ? m_doc.RemoveGlossaryScreen(screen, false)
                                                    : nullptr;
    if (taken)
        m_doc.AddScreen(std::move(taken), after, to == List::popups, to == List::glossary);
}

CEditController::Item *CEditController::MoveScreenItem(Item *item, Item *target, bool asChild)
{
    if (!item || !target || item == target)
        return nullptr;
    CCorvPage *screen = item->screen;
    CCorvPage *t = target->screen;
    auto listOf = [](const CCorvPage *folder) {
        if (folder && folder->GetPageType() == pt_popups_only)
            return List::popups;
        if (folder && folder->GetPageType() == pt_glossary)
            return List::glossary;
        return List::main;
    };
    const Item *oldParent = m_tree.GetParentItem(item);
    Item *made = nullptr;
    if (asChild) {
        if (t && (t->GetPageType() == pt_document || t->GetPageType() == pt_question))
            t->SetPageType(pt_folder);
        made = m_tree.InsertItem(item->text, screen, target);
        const CCorvPage *targetParent = m_tree.GetItemData(m_tree.GetParentItem(target));
        if (listOf(t) != List::main)
            MoveToList(screen, listOf(t), t);
        else if (listOf(targetParent) != List::main)
            MoveToList(screen, List::main, t);
    } else {
        Item *parent = m_tree.GetParentItem(target);
        made = m_tree.InsertItem(item->text, screen, parent, target);
        const CCorvPage *newParent = m_tree.GetItemData(parent);
        if (listOf(newParent) != List::main)
            MoveToList(screen, listOf(newParent), nullptr);
        else if (listOf(m_tree.GetItemData(oldParent)) != List::main)
            MoveToList(screen, List::main, nullptr);
    }
    // Whatever hangs below a content screen moves with it rather than dropping out of the outline.
    CopyChildren(item, made);
    m_tree.DeleteItem(item);
    AfterOutlineChange();
    SelectTreeItem(made, false);
    Renumber();
    return made;
}

void CEditController::FixLeafFolders(Item *first)
{
    for (Item *item = first; item; item = m_tree.GetNextSiblingItem(item)) {
        if (Item *child = m_tree.GetChildItem(item))
            FixLeafFolders(child);
        else if (CCorvPage *s = item->screen; s && s->GetPageType() == pt_folder && !OutlineRules::IsMenuPage(s))
            s->SetPageType(pt_document);
    }
}

void CEditController::FixLeafFolders()
{
    FixLeafFolders(m_tree.GetRootItem());
    NotifyOutline();
}

bool CEditController::DropTreeItem(Item *dragged, Item *target, OutlineDrop::Result decision)
{
    if (!dragged || !target || dragged == target || !OutlineDrop::Moves(decision)
        || OutlineRules::IsAncestorItem(m_tree, dragged, target))
        return false;
    CCorvPage *screen = dragged->screen;
    if (!screen)
        return false;
    const bool asChild = decision == OutlineDrop::Result::child;
    switch (screen->GetPageType()) {
    case pt_folder:
    case pt_remediation:
    case pt_asmt_folder:
    case pt_container:
        CopySubtree(dragged, target, asChild, false);
        m_tree.DeleteItem(dragged);
        AfterOutlineChange();
        Renumber();
        break;
    case pt_document:
    case pt_question:
        MoveScreenItem(dragged, target, asChild);
        break;
    default:
        break;
    }
    FixLeafFolders();
    Call(m_hooks.layoutAllMenus);
    Call(m_hooks.updateSectionLinks);
    m_currentThumb = FindThumbnailIndex(m_current);
    if (screen->GetPageType() == pt_question && m_hooks.swapDefaultFeedback)
        m_hooks.swapDefaultFeedback(screen);
    NotifyOutline();
    NotifyThumbnails();
    return true;
}

bool CEditController::MoveThumbnailPage(CCorvPage *moved, CCorvPage *target)
{
    Item *item = FindTreeItemOfPage(moved);
    Item *to = FindTreeItemOfPage(target);
    if (!item || !to || item == to || OutlineRules::IsAncestorItem(m_tree, item, to))
        return false;
    const int type = moved->GetPageType();
    if (type == pt_folder || type == pt_container || type == pt_popups_only || type == pt_glossary) {
        CopySubtree(item, to, false, false);
        m_tree.DeleteItem(item);
        AfterOutlineChange();
        Renumber();
    } else {
        MoveScreenItem(item, to, false);
    }
    Call(m_hooks.layoutAllMenus);
    Call(m_hooks.updateSectionLinks);
    if (type == pt_question && m_hooks.swapDefaultFeedback)
        m_hooks.swapDefaultFeedback(moved);
    m_currentThumb = FindThumbnailIndex(m_current);
    return true;
}

bool CEditController::DeleteOutlineItem(Item *item, bool ask)
{
    if (!item)
        return true;
    CPrompt &prompt = m_doc.Prompt();
    if (m_tree.ItemHasChildren(item)) {
        prompt.Information(CStringTable::Load(35006));
        return false;
    }
    CCorvPage *screen = item->screen;
    const bool menu = OutlineRules::IsMenuPage(screen);
    if (menu) {
        if (!prompt.YesNo(CStringTable::Load(61471)))
            return false;
    } else if (ask && !prompt.YesNo(CStringTable::Load(35007))) {
        return false;
    }
    const Item *parent = m_tree.GetParentItem(item);
    const CCorvPage *parentScreen = m_tree.GetItemData(parent);
    const bool menuChange = (!parent && menu) || (parentScreen && parentScreen->GetPageType() == pt_folder
                                                  && parentScreen->GetMenuKind() == apt_multi_topic_menu);
    Item *next = m_tree.GetNextSiblingItem(item);
    if (!next)
        next = m_tree.GetPrevSiblingItem(item);
    if (!next)
        next = m_tree.GetParentItem(item);

    m_current = nullptr;
    Call(m_hooks.deleteCanvasTrackers);
    Call(m_hooks.clearCanvasSelection);
    // The outline lets go of the screen before the screen goes, so it never shows a deleted one.
    m_tree.DeleteItem(item);
    if (screen) {
        const int thumb = FindThumbnailIndex(screen);
        m_thumbs.DeleteItem(thumb);
        if (m_copiedScreen == screen->GetId())
            m_copiedScreen = -1;
        if (!m_doc.RemoveScreen(screen, true) && !m_doc.RemovePopupScreen(screen, true))
            m_doc.RemoveGlossaryScreen(screen, true);
    }
    m_currentItem = next;
    m_current = m_tree.GetItemData(next);
    m_thumbs.RelabelThumbnails();
    Renumber();
    m_currentThumb = FindThumbnailIndex(m_current);
    m_thumbs.ClearStates();
    m_thumbs.SetStates(m_currentThumb, true, true, false);
    ShowCurrent();
    Call(m_hooks.updateSectionLinks);
    if (menuChange) {
        Call(m_hooks.layoutAllMenus);
        m_doc.MutableSettings().MenuBasedCourse = 0;
        m_doc.ClearTopics();
        COutlineTreeSync(m_doc, m_tree).RebuildTopicList();
        Call(m_hooks.topicsChanged);
    }
    m_doc.SetModifiedFlag(true);
    NotifyCurrent();
    return true;
}

bool CEditController::DeleteScreenOfThumbnail(CCorvPage *screen)
{
    Item *item = FindTreeItemOfPage(screen);
    return !item || DeleteOutlineItem(item, true);
}

// ---- Outline page ----

CCorvPage *CEditController::AddContainerUnder(Item *folder)
{
    if (!folder)
        return nullptr;
    CCorvPage *container = CScreenFactory(m_doc).AddContainerScreen(QStringLiteral("Untitled"), {}, {}, 0,
                                                                     QStringLiteral("0"), nullptr);
    if (!container)
        return nullptr;
    m_tree.InsertItem(QStringLiteral("Untitled"), container, folder);
    AfterOutlineChange();
    COutlineTreeSync sync(m_doc, m_tree);
    sync.NumberOutline();
    sync.RebuildScreenLists();
    NotifyOutline();
    return container;
}

CCorvPage *CEditController::ConvertToFolderWithContainer(Item *item)
{
    if (!item || !item->screen)
        return nullptr;
    item->screen->SetPageType(pt_folder);
    return AddContainerUnder(item);
}

CCorvPage *CEditController::AddRemediationAfter(Item *dropItem)
{
    if (!dropItem || !m_hooks.editRemediation)
        return nullptr;
    SRemediationValues values;
    if (!m_hooks.editRemediation(values))
        return nullptr;
    QString currentLabel;
    QString label;
    if (!NewPageIdForInsert(currentLabel, label))
        return nullptr;
    CCorvPage *screen = CScreenFactory(m_doc).AddRemediationScreen(
        QStringLiteral("Remediation"), label, m_current, values.m_questionPageIds, values.m_completionPageId,
        values.m_reverseOutPageId, values.m_passMark);
    if (!screen)
        return nullptr;
    m_tree.InsertItem(QStringLiteral("Remediation"), screen, m_tree.GetParentItem(dropItem), dropItem);
    AfterOutlineChange();
    COutlineTreeSync sync(m_doc, m_tree);
    sync.NumberOutline();
    sync.RebuildScreenLists();
    NotifyOutline();
    return screen;
}

bool CEditController::EditRemediation(CCorvPage *screen)
{
    if (!screen || !m_hooks.editRemediation)
        return false;
    std::vector<CComponentBase *> found;
    screen->GetComponentsOfType(ct_remediation, found);
    auto *remediation = found.empty() ? nullptr : dynamic_cast<CComponentRemediation *>(found.front());
    SRemediationValues values;
    if (remediation) {
        remediation->GetQuestionPageIds(m_doc, values.m_questionPageIds);
        values.m_completionPageId = remediation->GetCompletionPageId(m_doc);
        values.m_reverseOutPageId = remediation->GetReverseOutPageId(m_doc);
        values.m_passMark = remediation->m_passMark;
    }
    if (!m_hooks.editRemediation(values) || !remediation)
        return false;
    remediation->SetValues(values);
    // The settings are the author's work like any other.
    m_doc.SetModifiedFlag(true);
    return true;
}

void CEditController::RenameItem(Item *item, const QString &text)
{
    if (!item || text.isEmpty())
        return;
    if (item->screen)
        item->screen->SetTitle(text);
    item->text = text;
    m_doc.SetModifiedFlag(true);
    Item *parent = m_tree.GetParentItem(item);
    CCorvPage *menu = m_tree.GetItemData(parent);
    if (menu && menu->IsMultiTopicMenu() && item->screen && item->screen->GetPageType() == pt_container) {
        // The menu gives a button to every child but an assessment folder, in outline order.
        int n = 0;
        for (Item *child = m_tree.GetChildItem(parent); child && child != item; child = m_tree.GetNextSiblingItem(child))
            if (!child->screen || child->screen->GetPageType() != pt_asmt_folder)
                ++n;
        int button = 0;
        for (const auto &component : menu->GetComponentList())
            if (auto *topic = dynamic_cast<CComponentTopicButton *>(component.get())) {
                if (button++ == n) {
                    topic->SetTitle(text);
                    break;
                }
            }
        COutlineTreeSync(m_doc, m_tree).RebuildTopicList();
        Call(m_hooks.topicsChanged);
    }
    NotifyOutline();
}
