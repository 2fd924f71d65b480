#include "publish/OutlineWriter.h"

#include "document/CorvessaDoc.h"
#include "document/InternationalProfileFromXML.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/Escape.h"
#include "platform/Prompt.h"
#include "publish/ProgramData.h"
#include "publish/PublishText.h"

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

namespace {

const QString kFinalPerformanceScreens = QStringLiteral("Final Performance Screens");
const QString kAssessmentVariable = QStringLiteral("outlineassessment");
const QString kOutlineFile = QStringLiteral("outline.htm.txt");
constexpr int kEntriesPerLine = 10;

// A node's name inside the node line's script string: one line, read back as the title.
QString NodeName(QString title)
{
    title.replace(u'\r', u' ');
    title.replace(u'\n', u' ');
    return CorvEscape::ScriptLiteral(title);
}

// Replaces every key by its value in one pass from the left: an inserted value is never searched again, so
// a title that holds a token stays as the author wrote it. Earlier keys win where two start at one place.
QString ReplaceInOnePass(const QString &text, const std::vector<std::pair<QString, QString>> &replacements)
{
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const auto found = std::find_if(replacements.begin(), replacements.end(), [&](const auto &replacement) {
            return !replacement.first.isEmpty() && QStringView(text).mid(i).startsWith(replacement.first);
        });
        if (found == replacements.end()) {
            out += text[i++];
            continue;
        }
        out += found->second;
        i += found->first.size();
    }
    return out;
}

} // namespace

COutlineWriter::COutlineWriter(const COutlineTree *tree, const QString &prefix, const QString &charset,
                               int lastTopicFlag, const CCorvessaDoc &document,
                               const InternationalProfileFromXML *profile)
    : m_tree(tree), m_prefix(prefix), m_charset(charset), m_document(document), m_outlineTitle(document.Settings().OutlineLabel)
{
    // The root's last child, when it has more than one.
    const COutlineTree::Item *root = m_tree ? m_tree->GetRootItem() : nullptr;
    if (lastTopicFlag == 1 && root && m_tree->ItemHasChildren(root)) {
        const COutlineTree::Item *child = m_tree->GetChildItem(root);
        while ((child = m_tree->GetNextSiblingItem(child)))
            m_lastTopic = child;
    }
    LoadProfileTokens(profile);
}

void COutlineWriter::LoadProfileTokens(const InternationalProfileFromXML *profile)
{
    if (!profile)
        return;
    for (const InternationalProfileItemFromXML &item : profile->items) {
        const QString text = ProfileScriptText(item, ProfileLineEnds::AllEscaped);
        if (item.GetVariable() == kAssessmentVariable)
            m_assessmentText = text;
        for (const InternationalItemFileFromXML &file : item.files)
            if (file.fileName == kOutlineFile)
                m_tokens.try_emplace(file.GetReplaceString(), text);
    }
}

int COutlineWriter::Write(QString &out)
{
    out.clear();
    QString folder;
    GetAppFolder(m_document.GetContext(), folder);
    const QString path = CorvProgramData::Resolve(folder, CorvProgramData::kOutlineTemplate);
    QString page;
    if (!ReadAnsiTextFile(path, page)) {
        m_document.Prompt().Error(QStringLiteral("FATAL Error:\nCould not open file\n%1").arg(path));
        return 0;
    }
    QString lines;
    WriteTreeItems(lines, 0, m_tree ? m_tree->GetRootItem() : nullptr);

    // The page's own tokens first, then the profile's in key order, then the outline itself.
    std::vector<std::pair<QString, QString>> replacements = {
        {QStringLiteral("<~charset~>"), CorvEscape::HtmlAttribute(m_charset)},
        {QStringLiteral("<~prefix~>"), m_prefix},
        // The template reads the title into a script string and takes the page's title from there.
        {QStringLiteral("<~outlinetitle~>"), CorvEscape::ScriptLiteral(m_outlineTitle)},
    };
    for (const auto &token : m_tokens)
        replacements.push_back(token);
    replacements.emplace_back(QStringLiteral("<~screens~>"), WriteScreenArray());
    replacements.emplace_back(QStringLiteral("<~dtree~>"), lines);
    out = ReplaceInOnePass(page, replacements);
    return 1;
}

void COutlineWriter::WriteTreeItems(QString &lines, int parent, const COutlineTree::Item *first)
{
    if (!m_tree)
        return;
    // Pre-order without recursion, so that no outline is too deep to write: the siblings still to visit
    // wait on a stack, with the node they hang from, while the walk goes down.
    std::vector<std::pair<const COutlineTree::Item *, int>> later;
    const COutlineTree::Item *current = first;
    while (current || !later.empty()) {
        if (!current) {
            std::tie(current, parent) = later.back();
            later.pop_back();
        }
        const COutlineTree::Item *next = m_tree->GetNextSiblingItem(current);
        const int node = WriteItem(lines, parent, current);
        if (node >= 0 && m_tree->ItemHasChildren(current)) {
            if (next)
                later.emplace_back(next, parent);
            parent = node;
            next = m_tree->GetChildItem(current);
        }
        current = next;
    }
}

int COutlineWriter::WriteItem(QString &lines, int parent, const COutlineTree::Item *item)
{
    const CCorvPage *screen = m_tree->GetItemData(item);
    if (!screen || screen->GetTitle().compare(kFinalPerformanceScreens, Qt::CaseInsensitive) == 0)
        return -1;
    const QString &title = screen->GetTitle();
    if (item == m_lastTopic) {
        const int folder = m_nodeCounter;
        lines += AddFolderNode(parent, title);
        lines += AddLinkNode(folder, m_assessmentText, QStringLiteral("javascript:fMenu();"));
        m_screenArray << QStringLiteral("0") << QStringLiteral("0");
        return -1;
    }
    const int node = m_nodeCounter;
    const QString id = u'"' + CorvEscape::ScriptLiteral(screen->GetPublishId()) + u'"';
    switch (screen->GetPageType()) {
    case pt_folder:
    case pt_asmt_folder:
    case pt_document:
    case pt_asmt_document:
        lines += AddScreenNode(parent, title, node - 1, false);
        m_screenArray << id;
        return node;
    case pt_question:
        lines += AddScreenNode(parent, title, node - 1, true);
        m_screenArray << id;
        return node;
    case pt_container:
    case pt_asmt_container:
        lines += AddFolderNode(parent, title);
        m_screenArray << QStringLiteral("0");
        return node;
    case pt_remediation:
        lines += AddRemediationNode(parent, title);
        m_screenArray << QStringLiteral("0");
        return node;
    // Popups and glossary entries are reached from the screens, not from the outline.
    default: return -1;
    }
}

QString COutlineWriter::AddFolderNode(int parent, const QString &title)
{
    return QStringLiteral("\t\t\td.add(%1, %2, \"").arg(m_nodeCounter++).arg(parent) + NodeName(title) +
           QStringLiteral("\");\n");
}

QString COutlineWriter::AddLinkNode(int parent, const QString &text, const QString &url)
{
    // The text is a profile text, escaped for a script string already; only the end of the page's script
    // element is kept out of it.
    QString shown = text;
    shown.replace(QStringLiteral("</"), QStringLiteral("<\\/"));
    return QStringLiteral("\t\t\td.add(%1, %2, \"").arg(m_nodeCounter++).arg(parent) + shown +
           QStringLiteral("\", \"") + CorvEscape::ScriptLiteral(url) + QStringLiteral("\");\n");
}

QString COutlineWriter::AddScreenNode(int parent, const QString &title, int screenIndex, bool question)
{
    const QString tail =
        question ? QStringLiteral("\", \"\", \"\",\"scripts/pics/tree/question.gif\");\n") : QStringLiteral("\");\n");
    return QStringLiteral("\t\t\td.add(%1, %2, \"").arg(m_nodeCounter++).arg(parent) + NodeName(title) +
           QStringLiteral("\", \"javascript:fPage(pg[%1]);").arg(screenIndex) + tail;
}

QString COutlineWriter::AddRemediationNode(int parent, const QString &title)
{
    return QStringLiteral("d.add(%1,%2,\"").arg(m_nodeCounter++).arg(parent) + NodeName(title) +
           QStringLiteral(
               "\",\"\",\"\",\"\",\"scripts/pics/tree/remediation.gif\",\"scripts/pics/tree/remediationopen.gif\");");
}

QString COutlineWriter::WriteScreenArray() const
{
    QString lines;
    for (qsizetype start = 0; start < m_screenArray.size(); start += kEntriesPerLine)
        lines += QStringLiteral("\t\t\tpg.push(") + m_screenArray.mid(start, kEntriesPerLine).join(u',') +
                 QStringLiteral(");\n");
    return lines;
}
