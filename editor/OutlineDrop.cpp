#include "editor/OutlineDrop.h"

#include "editor/OutlineRules.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"

namespace OutlineDrop {

namespace {

using Item = COutlineTree::Item;

bool LabelMarksList(const CCorvPage *screen)
{
    const QString &label = screen->GetLabel();
    return label.startsWith(u'P', Qt::CaseInsensitive) || label.startsWith(u'G', Qt::CaseInsensitive);
}

bool IsSpecialFolder(int type) { return type == pt_popups_only || type == pt_glossary; }

Result ForContentOrQuestion(const COutlineTree &tree, const Item *target, int s, const CCorvPage *t, bool rightPart)
{
    const int type = t->GetPageType();
    if (rightPart) {
        if (type == pt_question || type == pt_folder || type == pt_asmt_folder)
            return Result::refused;
        if (IsSpecialFolder(type))
            return s == pt_document ? Result::child : Result::refusedOnTarget;
        return s == pt_question && LabelMarksList(t) ? Result::after : Result::child;
    }
    if (type == pt_document || type == pt_question || type == pt_remediation)
        return Result::after;
    if (type == pt_folder && target == tree.GetRootItem())
        return Result::after;
    return Result::refused;
}

} // namespace

bool IsInMainOutline(const COutlineTree::Item *item)
{
    const CCorvPage *screen = item ? item->screen : nullptr;
    return screen && !IsSpecialFolder(screen->GetPageType()) && !LabelMarksList(screen);
}

Result DecideTreeDrop(const COutlineTree &tree, const Item *dragged, const Item *target, bool rightPart)
{
    const CCorvPage *source = tree.GetItemData(dragged);
    const CCorvPage *t = tree.GetItemData(target);
    if (!source || !target)
        return Result::refused;
    const int s = source->GetPageType();
    if (IsSpecialFolder(s) || target == dragged)
        return Result::refused;
    if (!t)
        return Result::refused;
    // Nothing goes into its own subtree.
    if (OutlineRules::IsAncestorItem(tree, dragged, target))
        return Result::refused;
    const bool main = IsInMainOutline(target);
    const int type = t->GetPageType();
    switch (s) {
    case pt_folder:
        return main ? Result::after : Result::refused;
    case pt_remediation:
        return type == pt_document || type == pt_question ? Result::after : Result::refused;
    case pt_container:
        if (!main || type == pt_container || type == pt_remediation || IsSpecialFolder(type))
            return Result::refused;
        return rightPart ? Result::child : Result::refusedOnTarget;
    case pt_document:
    case pt_question:
        return ForContentOrQuestion(tree, target, s, t, rightPart);
    case pt_asmt_folder:
        if (!main)
            return Result::unchanged;
        return tree.GetParentItem(target) == tree.GetParentItem(dragged) ? Result::after : Result::refusedOnTarget;
    default:
        return Result::unchanged;
    }
}

bool AcceptsNewContainer(const COutlineTree::Item *target)
{
    const CCorvPage *t = target ? target->screen : nullptr;
    return t && (t->GetPageType() == pt_folder || t->GetPageType() == pt_document);
}

bool AcceptsNewRemediation(const COutlineTree::Item *target)
{
    const CCorvPage *t = target ? target->screen : nullptr;
    if (!t)
        return false;
    const int type = t->GetPageType();
    return type == pt_folder || type == pt_document || type == pt_question;
}

} // namespace OutlineDrop
