#pragma once

#include "model/OutlineTree.h"

#include <QString>
#include <QStringList>

#include <map>

class CCorvessaDoc;
class InternationalProfileFromXML;

// The text of the course's outline page (content/outline.htm): the outline template of the program folder
// with its tokens filled, the outline texts of the international profile, the screen array pg and the node
// lines of the page's tree object d. Node 0 is the page's root; every folder and screen the learner can
// reach is a node below it, in the order and nesting of the course outline; screen nodes call the run-time's
// fPage with their publish id from pg.
//
// With the last-topic flag, the last topic of the course (the root's last child, when it has more than one)
// is not listed screen by screen: it becomes a folder with one link to the menu, where the assessment
// starts.
class COutlineWriter
{
public:
    // tree may be null (an outline without nodes), and so may the profile (no outline texts); they and the
    // document must outlive the writer.
    COutlineWriter(const COutlineTree *tree, const QString &prefix, const QString &charset, int lastTopicFlag,
                   const CCorvessaDoc &document, const InternationalProfileFromXML *profile);

    // Fills out with the page; 0, after telling the author, when the template cannot be read (out stays
    // empty), else 1.
    int Write(QString &out);

    // The parts of the page, as Write fills them in.
    // Node lines of the item, the siblings after it and everything below them, below parent.
    void WriteTreeItems(QString &lines, int parent, const COutlineTree::Item *first);
    // The pg.push lines that fill the screen array, ten entries a line; "" without entries.
    QString WriteScreenArray() const;

    // The node writers: each gives its line and takes the next node id.
    QString AddFolderNode(int parent, const QString &title);
    QString AddLinkNode(int parent, const QString &text, const QString &url);
    QString AddScreenNode(int parent, const QString &title, int screenIndex, bool question);
    QString AddRemediationNode(int parent, const QString &title);

    // The id the next node gets.
    int GetNodeCounter() const { return m_nodeCounter; }
    const QStringList &GetScreenArray() const { return m_screenArray; }
    const COutlineTree::Item *GetLastTopic() const { return m_lastTopic; }
    const QString &GetAssessmentText() const { return m_assessmentText; }
    const std::map<QString, QString> &GetTokens() const { return m_tokens; }

private:
    void LoadProfileTokens(const InternationalProfileFromXML *profile);
    // Writes the node (or nodes) of one item; the id of the node its children hang from, or -1 when
    // nothing below the item is listed.
    int WriteItem(QString &lines, int parent, const COutlineTree::Item *item);

    int m_nodeCounter = 1;
    const COutlineTree *m_tree;
    QString m_prefix;
    QString m_charset;
    // One entry per node: the quoted publish id of a screen node, "0" for the others.
    QStringList m_screenArray;
    const COutlineTree::Item *m_lastTopic = nullptr;
    const CCorvessaDoc &m_document;
    // Profile token to text, for the tokens the profile gives the outline page (the first item wins).
    std::map<QString, QString> m_tokens;
    QString m_assessmentText;
    QString m_outlineTitle;
};
