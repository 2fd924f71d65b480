#include "dialogs/ScreenDialogValues.h"

#include "document/CorvessaDoc.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/OutlineTree.h"
#include "platform/StringTable.h"

#include <algorithm>
#include <set>

namespace AddScreenChoice {

namespace {

struct Template {
    int stringId;
    int code;
};

constexpr Template kTemplates[kEntries] = {
    {10450, 0}, {10451, 1}, {10452, 2}, {10453, 3}, {10454, 4},  {10455, 5},
    {10456, 6}, {10457, 7}, {10458, 8}, {10459, 9}, {10463, 13}, {10464, 14},
};

} // namespace

QStringList EntryTexts()
{
    QStringList texts;
    for (const Template &t : kTemplates)
        texts.append(CStringTable::Load(t.stringId));
    return texts;
}

int TemplateCode(int entry)
{
    return entry >= 0 && entry < kEntries ? kTemplates[entry].code : kTemplates[0].code;
}

} // namespace AddScreenChoice

// ---- Import new document ----

bool CImportNewDocumentValues::OkEnabled() const
{
    if (glossaryOnly)
        return true;
    if (currentPageType == pt_container || currentPageType == pt_document)
        return true;
    return createTopic != 0 && CreateTopicEnabled();
}

// ---- Insert table ----

void CInsertTableValues::ApplyColourRules()
{
    if (!setColours) {
        tableBackground = 0xFFFFFF;
        headerBackground = 0xFFFFFF;
        tableBorderColour = 0;
        cellBorderColour = 0;
    }
    if (oldStyleBorders) {
        tableBorderColour = 0;
        cellBorderColour = 0;
    }
}

CDialogCheck CInsertTableValues::Check() const
{
    if (rows < 1 || columns < 1 || qint64(rows) * columns > kMaxCells)
        return CDialogCheck::Fail(kRowsColumnsMessage, kRowsBox);
    if (tableBorder < 0 || cellBorderThickness < 0 || cellPadding < 0)
        return CDialogCheck::Fail(kNegativeMessage, kBorderBox);
    return {};
}

CInsertTableValues CInsertTableValues::FromSettings(const CComponentTable::Settings &s)
{
    CInsertTableValues v;
    v.rows = s.rows;
    v.columns = s.columns;
    v.tableBorder = s.tableBorder;
    v.oldStyleBorders = s.oldStyleBorders;
    v.cellBorderThickness = s.cellBorderThickness;
    v.cellPadding = s.cellPadding;
    v.headerKind = s.headerKind;
    v.setColours = s.setColours;
    v.tableBorderColour = s.tableBorderColour;
    v.cellBorderColour = s.cellBorderColour;
    v.tableBackground = s.tableBackground;
    v.headerBackground = s.headerBackground;
    v.summary = s.summary;
    return v;
}

CComponentTable::Settings CInsertTableValues::ToSettings() const
{
    CComponentTable::Settings s;
    s.rows = rows;
    s.columns = columns;
    s.tableBorder = tableBorder;
    s.oldStyleBorders = oldStyleBorders;
    s.cellBorderThickness = cellBorderThickness;
    s.cellPadding = cellPadding;
    s.headerKind = headerKind;
    s.setColours = setColours;
    s.tableBorderColour = tableBorderColour;
    s.cellBorderColour = cellBorderColour;
    s.tableBackground = tableBackground;
    s.headerBackground = headerBackground;
    s.summary = summary;
    return s;
}

// ---- Remediation ----

QString CRemediationValues::EntryText(const CCorvPage &screen, const Caption &caption)
{
    const QString head = caption ? caption(screen) : screen.GetLabel();
    return head + QStringLiteral(" : ") + screen.GetTitle();
}

void CRemediationValues::DropMissing(const CCorvessaDoc &doc)
{
    std::erase_if(counted, [&doc](int number) { return doc.FindScreenByNumber(number) == nullptr; });
}

std::vector<CRemediationValues::Entry> CRemediationValues::CountedEntries(const CCorvessaDoc &doc,
                                                                          const Caption &caption) const
{
    std::vector<Entry> entries;
    for (int number : counted)
        if (const CCorvPage *screen = doc.FindScreenByNumber(number))
            entries.push_back({EntryText(*screen, caption), number});
    return entries;
}

std::vector<CRemediationValues::Entry> CRemediationValues::Candidates(const CCorvessaDoc &doc,
                                                                      const Caption &caption) const
{
    std::vector<Entry> entries;
    for (const auto &screen : doc.MainScreens()) {
        if (!screen || screen->GetPageType() != pt_question)
            continue;
        if (std::find(counted.begin(), counted.end(), screen->GetId()) != counted.end())
            continue;
        entries.push_back({EntryText(*screen, caption), screen->GetId()});
    }
    return entries;
}

namespace {

// The screens below any remediation folder of the outline.
void CollectInsideRemediation(const COutlineTree &tree, const COutlineTree::Item *item, bool inside,
                              std::set<const CCorvPage *> &out)
{
    for (; item; item = tree.GetNextSiblingItem(item)) {
        const CCorvPage *screen = tree.GetItemData(item);
        if (inside)
            out.insert(screen);
        const bool below = inside || (screen && screen->GetPageType() == pt_remediation);
        CollectInsideRemediation(tree, tree.GetChildItem(item), below, out);
    }
}

bool IsTargetKind(int pageType)
{
    switch (pageType) {
    case pt_container:
    case pt_asmt_folder:
    case pt_asmt_container:
    case pt_asmt_document:
    case pt_remediation:
        return false;
    default:
        return true;
    }
}

} // namespace

std::vector<CRemediationValues::Entry> CRemediationValues::Targets(const CCorvessaDoc &doc, const Caption &caption,
                                                                   const QString &firstText)
{
    // Which screens lie in a remediation folder is read from the outline the labels make, so "12" is never
    // taken to lie below "1".
    COutlineTree tree;
    tree.RebuildFromScreenLists(doc.MainScreens(), {}, {});
    std::set<const CCorvPage *> inside;
    CollectInsideRemediation(tree, tree.GetRootItem(), false, inside);

    std::vector<Entry> entries{{firstText, -1}};
    for (const auto &screen : doc.MainScreens()) {
        if (!screen || !IsTargetKind(screen->GetPageType()) || inside.count(screen.get()))
            continue;
        entries.push_back({EntryText(*screen, caption), screen->GetId()});
    }
    return entries;
}

int CRemediationValues::IndexOf(const std::vector<Entry> &entries, int number)
{
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].number == number)
            return int(i);
    return 0;
}

void CRemediationValues::Correct()
{
    if (passMark < 0 || passMark > 100)
        passMark = kDefaultPassMark;
}
