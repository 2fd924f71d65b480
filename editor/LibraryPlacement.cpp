#include "editor/LibraryPlacement.h"

#include "document/ContentLibrary.h"
#include "document/CorvessaDoc.h"
#include "document/ScreenFactory.h"
#include "document/SingleScreenArchive.h"
#include "editor/EditController.h"
#include "editor/OutlineRules.h"
#include "editor/OutlineTreeSync.h"
#include "editor/PageIds.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/Topic.h"
#include "platform/Prompt.h"

#include <utility>

namespace LibraryPlacement {

namespace {

const QString kUntitled = QStringLiteral("Untitled");

void Call(const std::function<void()> &hook)
{
    if (hook)
        hook();
}

// The last "_"-separated part of a label (the whole label without one).
QString LastComponent(const QString &label) { return label.section(u'_', -1); }

// Makes the item of the folder screen the place the next screen goes below.
void MakeCurrentItem(CEditController &edit, const CCorvPage *folder)
{
    if (CEditController::Item *item = edit.FindTreeItemOfPage(folder))
        edit.SetInsertionPoint(item, edit.FindThumbnailIndex(folder));
}

} // namespace

QString DeeperOrNextLabel(const QString &previous, const QString &stored, bool deeper)
{
    if (!deeper)
        return PageIds::NextPageId(previous);
    const qsizetype tail = stored.length() - previous.length() - 1;
    if (stored.length() > previous.length() && tail > 0)
        return previous + u'_' + stored.right(tail);
    // A previous label of fewer than two characters has no two characters to replace.
    if (previous.length() < 2)
        return previous + u'_' + LastComponent(stored);
    return previous.chopped(2) + stored.right(2);
}

std::vector<CCorvPage *> InsertItems(CEditController &edit, const QString &libraryPath,
                                     const std::vector<LibraryInsertChoice> &choices)
{
    CCorvessaDoc &doc = edit.Document();
    std::vector<CCorvPage *> inserted;
    int topicCounter = int(doc.Topics().size()) + 1;
    int baseDepth = 0;
    std::vector<std::pair<int, QString>> stack; // oldest first
    CCorvPage *anchor = edit.GetCurrentPage();
    QString previous = anchor ? anchor->GetLabel() : QString();
    for (const LibraryInsertChoice &choice : choices) {
        const int d = LeadingInteger(choice.depth);
        if (stack.empty()) {
            baseDepth = d;
        } else if (stack.front().first > d) {
            while (!stack.empty() && stack.back().first > d)
                stack.pop_back();
            if (!stack.empty())
                previous = stack.back().second;
        }
        stack.emplace_back(d, QString());

        if (choice.auxPageType == QLatin1String("apt_multi_topic_menu")) {
            if (!doc.MainScreens().empty())
                continue;
            doc.MutableSettings().MenuBasedCourse = 1;
        }
        const bool menuBased = doc.Settings().MenuBasedCourse == 1;
        const bool topicRecord = choice.auxPageType == QLatin1String("apt_topic") ||
                                 (choice.pageType == QLatin1String("pt_container") && d == 1);
        if (topicRecord && !menuBased)
            continue;
        if (choice.pageType == QLatin1String("pt_popups_only") && !doc.PopupScreens().empty()) {
            anchor = doc.PopupScreens().front().get();
            continue;
        }
        if (choice.pageType == QLatin1String("pt_glossary") && !doc.GlossaryScreens().empty()) {
            anchor = doc.GlossaryScreens().front().get();
            continue;
        }
        bool markedTopic = false;
        if (topicRecord && d == 1 && menuBased) {
            if (CEditController::Item *menu = OutlineRules::FindFirstMenuItem(edit.GetTreeCtrl()); menu && menu->screen) {
                anchor = menu->screen;
                MakeCurrentItem(edit, anchor);
            }
            markedTopic = true;
        } else if ((choice.pageType == QLatin1String("pt_question") || choice.pageType == QLatin1String("pt_document")) &&
                   menuBased && anchor && anchor->IsMultiTopicMenu()) {
            // A screen straight under the main menu gets a topic to live in.
            const QString number = QString::number(topicCounter++);
            CCorvPage *container = CScreenFactory(doc).AddContainerScreen(kUntitled, QString(), QString(), 0,
                                                                          anchor->GetLabel() + u'_' + number, anchor);
            if (container) {
                container->SetMenuKind(apt_topic);
                edit.AddPageAndSelect(container);
                previous = container->GetLabel();
                doc.AddTopic(std::make_unique<CTopic>(number, kUntitled, QString(), QString(), QStringLiteral("FALSE")));
                anchor = container;
            }
        } else if (anchor && (anchor->GetPageType() == pt_popups_only || anchor->GetPageType() == pt_glossary) &&
                   d < stack.front().first) {
            anchor = edit.GetCurrentPage();
        }

        const QString file = ContentLibrary::ItemFilePath(libraryPath, choice.itemPath);
        if (file.isEmpty()) {
            doc.Prompt().Error(QStringLiteral("The library item \"%1\" lies outside the library's folder and is not "
                                              "inserted.")
                                   .arg(choice.itemPath));
            continue;
        }
        CCorvPage *screen = CSingleScreenArchive::LoadScreenArchive(doc, file, anchor);
        if (!screen)
            continue;

        // The provisional label.
        bool folderRules = true;
        if (previous.isEmpty()) {
            previous = anchor ? anchor->GetLabel() : screen->GetLabel();
            folderRules = anchor != nullptr;
        }
        QString label;
        if (folderRules && anchor && anchor->GetPageType() == pt_popups_only) {
            MakeCurrentItem(edit, anchor);
            label = PageIds::ChildPageId(edit.GetTreeCtrl(), edit.FindTreeItemOfPage(anchor));
        } else if (folderRules && anchor && anchor->GetPageType() == pt_glossary) {
            MakeCurrentItem(edit, anchor);
            label = PageIds::ChildPageId(edit.GetTreeCtrl(), edit.FindTreeItemOfPage(anchor));
        } else if (markedTopic) {
            label = (anchor ? anchor->GetLabel() : QString()) + u'_' + QString::number(topicCounter++);
            anchor = screen;
        } else {
            const bool topicAnchor = anchor && anchor->GetMenuKind() == apt_topic;
            label = DeeperOrNextLabel(previous, screen->GetLabel(), d > baseDepth || topicAnchor);
            // A screen read into a topic stays in it, whatever label it was saved with.
            if (topicAnchor && !PageIds::IdHasPrefix(label, anchor->GetLabel()))
                label = PageIds::ChildPageId(edit.GetTreeCtrl(), edit.FindTreeItemOfPage(anchor));
        }
        screen->SetLabel(label);
        stack.back().second = label;

        if (CCorvPage *current = edit.GetCurrentPage())
            current->LeaveCanvas();
        edit.AddPageAndSelect(screen);
        Call(edit.GetHooks().clearCanvasSelection);
        screen->SetModified(1);
        screen->ResetCarets();
        doc.SetModifiedFlag(true);
        edit.RefreshPageThumbnail(screen);
        previous = screen->GetLabel();
        inserted.push_back(screen);
    }
    if (!inserted.empty()) {
        edit.Renumber();
        Call(edit.GetHooks().updateSectionLinks);
        Call(edit.GetHooks().layoutAllMenus);
    }
    COutlineTreeSync(doc, edit.Tree()).RebuildTopicList();
    Call(edit.GetHooks().topicsChanged);
    doc.SetModifiedFlag(true);
    doc.MutableSettings().LastContentLibrary = libraryPath;
    return inserted;
}

} // namespace LibraryPlacement
