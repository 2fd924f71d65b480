#pragma once

#include "model/OutlineTree.h"

// What dropping a dragged outline item on another would do, decided from the two screens' page types,
// where on the target's row the pointer is and whether the target lies inside the dragged subtree.
namespace OutlineDrop {

enum class Result {
    child,           // as the target's last child
    after,           // directly after the target
    refused,         // nothing; the target is not highlighted
    refusedOnTarget, // nothing, though the target is highlighted
    unchanged,       // the feedback stays as it was; a drop there moves nothing
};

// Whether the screen belongs to the main outline: neither one of the two special folders nor a screen whose
// label marks it as a popup ("P") or glossary ("G") screen.
bool IsInMainOutline(const COutlineTree::Item *item);

// rightPart: the pointer lies on the right half of the target's label or beyond it on its row.
Result DecideTreeDrop(const COutlineTree &tree, const COutlineTree::Item *dragged, const COutlineTree::Item *target,
                      bool rightPart);
// Whether a drop with that result moves anything.
inline bool Moves(Result r) { return r == Result::child || r == Result::after; }

// The outline page's two drag buttons: whether a new container / a new remediation may be dropped on the
// target.
bool AcceptsNewContainer(const COutlineTree::Item *target);
bool AcceptsNewRemediation(const COutlineTree::Item *target);

} // namespace OutlineDrop
