#pragma once

#include "model/OutlineTree.h"

class CCorvPage;

// Questions the Edit window asks of the outline: where a screen is, what kind of screens a part of the
// outline holds, and which commands are allowed where. All read the tree without changing it.
namespace OutlineRules {

using Item = COutlineTree::Item;

// Depth first from start (null: the first root item) over it, its following siblings and their subtrees:
// the first item showing the screen, else null.
Item *FindTreeItem(const COutlineTree &tree, const Item *start, const CCorvPage *screen);
Item *FindTreeItemOfPage(const COutlineTree &tree, const CCorvPage *screen);
Item *GetLastChildItem(const COutlineTree &tree, const Item *item);

// A folder screen that opens a menu of topics.
inline bool IsMenuPage(const CCorvPage *screen) { return COutlineTree::IsMenuPage(screen); }
int CountChildren(const COutlineTree &tree, const Item *item);
// The first root item showing a menu screen; null when none.
Item *FindFirstMenuItem(const COutlineTree &tree);
// Whether the item (null: the first root item), a following sibling or anything below them shows a menu
// screen / an assessment screen (types 4, 5, 6).
bool HasMenuPage(const COutlineTree &tree, const Item *start);
bool HasAssessmentPages(const COutlineTree &tree, const Item *start);
// Whether the item (null: the first root item) or a following sibling, without descending, is the
// popups-only folder / the glossary folder.
bool HasPopupsOnlyFolder(const COutlineTree &tree, const Item *start);
bool HasGlossaryFolder(const COutlineTree &tree, const Item *start);
// The last child of the first root item that is a multi-topic menu; null when none or childless.
Item *FindLastMenuTopic(const COutlineTree &tree);
// Whether ancestor lies strictly above item.
bool IsAncestorItem(const COutlineTree &tree, const Item *ancestor, const Item *item);
// Whether screen a's outline item lies strictly above screen b's.
bool IsAncestorPage(const COutlineTree &tree, const CCorvPage *a, const CCorvPage *b);

// Whether "New screen..." is allowed with the item current, in a course whose menu-based flag is given.
bool CanAddScreenHere(const COutlineTree &tree, const Item *current, int menuBased);
// Whether the question commands are allowed with the screen current.
bool CanInsertQuestion(const CCorvPage *current);

// The outline tree's picture of a screen: its page type, or 9 for a menu folder (the tree's image list).
int TreeImageIndex(const CCorvPage *screen);

} // namespace OutlineRules
