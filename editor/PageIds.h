#pragma once

#include "model/OutlineTree.h"

#include <QString>

// Outline labels: decimal numbers joined by "_" (3, 3_2, 3_2_1), with a leading "P" for screens of the
// popups list and "G" for those of the glossary list. A label says where its screen sits in the outline.
namespace PageIds {

// The label of the next sibling: "" gives "1", "7" gives "8", "3_9" gives "3_10". A "P" or "G" survives only
// with a "_" ("P3_1" gives "P3_2"); a label without "_" is read as its leading number ("P3" reads as 0).
QString NextPageId(const QString &label);
// The label for a new last child of the item: the next label after its last child, else its own plus "_1".
QString ChildPageId(const COutlineTree &tree, const COutlineTree::Item *item);
// Whether label names a screen below the one labelled prefix (component-wise, without regard to case).
inline bool IdHasPrefix(const QString &label, const QString &prefix) { return COutlineTree::IdHasPrefix(label, prefix); }
// Whether the label carries the popups ("P") or glossary ("G") mark.
bool HasListPrefix(const QString &label);
// The label without its popups or glossary mark.
QString WithoutListPrefix(const QString &label);

} // namespace PageIds
