#pragma once

#include "model/OutlineTree.h"

#include <QString>
#include <QStringList>

class CComponentRemediation;
class CCorvessaDoc;
class CCorvPage;
class CPublishContext;
class CPublishFile;

// content/scripts/<prefix>_pages.js: the arrays p of screen ids the run-time moves through, the scrambled
// answers quest, and the remediation instances. One object is one walk over the outline: made for one
// file, it keeps where the walk stands.
class CPagesScript
{
public:
    explicit CPagesScript(CPublishContext &context);
    CPagesScript(const CPagesScript &) = delete;
    CPagesScript &operator=(const CPagesScript &) = delete;

    // False, adding why to the context's errors, when the file cannot be written.
    bool Write();

private:
    // The two forms of the walk over the outline that writes the arrays of screen ids.
    enum class PagesForm { Menu, Plain };
    void WritePagesArray(CPublishFile &file, PagesForm form);
    void WalkPagesLevel(CPublishFile &file, const COutlineTree::Item *item, QStringList &ids, PagesForm form);
    // The group an item with children heads: started from the item, filled from its children, written.
    struct PagesGroup;
    bool StartPagesGroup(const COutlineTree::Item *item, CCorvPage *lastContent, PagesGroup &group, PagesForm form);
    const COutlineTree::Item *CollectPagesGroup(const COutlineTree::Item *child, PagesGroup &group, PagesForm form);
    void WritePagesGroup(CPublishFile &file, const PagesGroup &group);
    // The next block of entries begins below a menu.
    void StartPagesBlock()
    {
        ++m_blockIndex;
        m_entryIndex = 0;
    }
    // Appends the ids of the item and its following siblings, remediation screens left out.
    void CollectSiblingIds(const COutlineTree::Item *item, QStringList &ids) const;
    // One filled remediation instance into out, numbered and placed at the entry being written.
    void WriteRemediationInstance(const CComponentRemediation &remediation, const CCorvPage *start, QString &out);
    void WriteRemUtility(CPublishFile &file) const;
    void WriteRemCleanup(CPublishFile &file) const;
    // The scrambled correct answers of the questions, one line each.
    void WriteAnswerEntries(CPublishFile &file) const;

    CPublishContext &m_context;
    const CCorvessaDoc &m_document;
    const COutlineTree *m_courseTree;

    // Where the walk stands.
    CCorvPage *m_triggerScreen = nullptr;
    int m_blockIndex = 0;
    int m_entryIndex = 0;
    int m_remediationNumber = 0;
    // The remediation instances met on the way, written after the answers.
    QString m_pagesText;
};
