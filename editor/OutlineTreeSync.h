#pragma once

#include "model/OutlineTree.h"

#include <QString>

#include <vector>

class CCorvessaDoc;
class CCorvPage;

// Brings the document in line with the outline after the outline changed: the outline labels of every
// screen (NumberOutline), the three screen lists in outline order and the topic list of the main menu. The
// outline is the authority on the order and nesting of screens.
class COutlineTreeSync
{
public:
    COutlineTreeSync(CCorvessaDoc &document, const COutlineTree &tree) : m_doc(document), m_tree(tree) {}

    // The screens of start (null: the first root item), everything below it and everything after it, depth
    // first (an item, its subtree, then its next sibling); items without a screen are passed over.
    void CollectItemData(std::vector<CCorvPage *> &out, const COutlineTree::Item *start = nullptr) const;

    // Gives the item, its following siblings and all their descendants their labels, starting with label
    // (null item: the whole outline from "1"). Screens of the popups list get the "P" form, those of the
    // glossary list the "G" form. Afterwards every link that names its target by label names it by the new one.
    void NumberOutline(const COutlineTree::Item *item = nullptr, const QString &label = QStringLiteral("1"));

    // Empties the three lists and fills them from the outline: a "P" label or the popups-only folder goes
    // to the popups list, a "G" label or the glossary folder to the glossary list, the rest to the main list.
    // A screen that is in a list but not in the outline stays at the end of its list: nothing is lost.
    void RebuildScreenLists();

    // The topic list from the children of the first root item that is a multi-topic menu: one topic per
    // container, numbered from 1. Without such a menu nothing changes; with one the course is menu based.
    // True when the topic list was rebuilt.
    bool RebuildTopicList();

private:
    void NumberItems(const COutlineTree::Item *item, QString label, const std::vector<const CCorvPage *> &popups,
                     const std::vector<const CCorvPage *> &glossary);
    void RefreshLinkLabels();

    CCorvessaDoc &m_doc;
    const COutlineTree &m_tree;
};
