#include "editor/ImportPlacement.h"

#include "document/CorvessaDoc.h"
#include "editor/EditController.h"
#include "editor/OutlineRules.h"
#include "editor/PageIds.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/Topic.h"

namespace ImportPlacement {

Point Prepare(CEditController &edit, bool createTopic)
{
    CCorvPage *current = edit.GetCurrentPage();
    if (current) {
        if (current->GetModified()) {
            edit.RefreshCurrentThumbnail();
            current->SetModified(0);
        }
        current->LeaveCanvas();
        if (edit.GetHooks().clearCanvasSelection)
            edit.GetHooks().clearCanvasSelection();
    }
    if (createTopic) {
        const COutlineTree &tree = edit.GetTreeCtrl();
        const COutlineTree::Item *first = tree.GetRootItem();
        if (first && first->screen && OutlineRules::IsMenuPage(first->screen)) {
            edit.MakeCurrentScreen(first->screen);
            current = edit.GetCurrentPage();
        }
    }
    Point point;
    if (!current)
        return point;
    point.label = current->GetLabel();
    if (!createTopic) {
        point.mode = 1;
        if (current->GetPageType() == pt_container) {
            CEditController::Item *item = edit.GetCurrentItem() ? edit.GetCurrentItem() : edit.FindTreeItemOfPage(current);
            point.label = PageIds::ChildPageId(edit.GetTreeCtrl(), item);
        }
    }
    return point;
}

void Finish(CEditController &edit, bool createTopic, int topicCountBefore, const QString &title,
            const QString &banner, const QString &path)
{
    CCorvessaDoc &doc = edit.Document();
    if (edit.GetHooks().layoutAllMenus)
        edit.GetHooks().layoutAllMenus();
    if (createTopic) {
        doc.AddTopic(std::make_unique<CTopic>(QString::number(topicCountBefore), title, banner, path,
                                              QStringLiteral("FALSE")));
        if (edit.GetHooks().topicsChanged)
            edit.GetHooks().topicsChanged();
    }
    // The importer placed its screens in the outline: their labels become positional and the document's
    // lists and the thumbnails follow the outline.
    edit.Renumber();
    doc.SetModifiedFlag(true);
}

} // namespace ImportPlacement
