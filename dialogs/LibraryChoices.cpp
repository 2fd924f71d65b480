#include "dialogs/LibraryChoices.h"

#include "document/ContentLibrary.h"
#include "document/CorvessaDoc.h"
#include "document/SingleScreenArchive.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/OutlineTree.h"
#include "platform/Prompt.h"

#include <QDir>

namespace CorvLibraryChoices {

bool IsTicked(const QString &cell) { return cell.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0; }

void PropagateSubtreeTicks(const std::vector<QString> &depths, std::vector<bool> &ticks, int startRow)
{
    bool haveSubtree = false;
    bool inside = false;
    int subtreeDepth = 0;
    for (std::size_t row = std::size_t(std::max(startRow, 0)); row < depths.size() && row < ticks.size(); ++row) {
        const int depth = LeadingInteger(depths[row]);
        if (!haveSubtree || subtreeDepth >= depth)
            inside = false;
        else if (inside)
            ticks[row] = true;
        if (ticks[row] && !inside) {
            subtreeDepth = depth;
            haveSubtree = true;
            inside = true;
        }
    }
}

namespace {

void Flatten(const COutlineTree &outline, const COutlineTree::Item *item, int depth, std::vector<LibraryOutlineRow> &rows)
{
    for (; item; item = outline.GetNextSiblingItem(item)) {
        if (CCorvPage *screen = outline.GetItemData(item)) {
            const QString type = screen->GetMenuKind() == apt_multi_topic_menu
                                     ? QStringLiteral("Main Menu")
                                     : PageTypeDisplayName(PageTypeToString(screen->GetPageType()));
            rows.push_back({screen->GetLabel(), screen->GetTitle(), {}, type, QString::number(depth)});
        }
        if (outline.ItemHasChildren(item))
            Flatten(outline, outline.GetChildItem(item), depth + 1, rows);
    }
}

} // namespace

std::vector<LibraryOutlineRow> OutlineRows(const COutlineTree &outline)
{
    std::vector<LibraryOutlineRow> rows;
    Flatten(outline, outline.GetRootItem(), 0, rows);
    return rows;
}

int SaveChoices(CCorvessaDoc &doc, const QString &libraryPath, const QString &libraryDescription,
                const std::vector<LibrarySaveChoice> &choices)
{
    if (libraryPath.trimmed().isEmpty())
        return 0;
    ContentLibrary library(doc);
    int added = 0;
    for (const LibrarySaveChoice &choice : choices) {
        CCorvPage *screen = doc.FindScreenByLabel(choice.outlineId);
        if (!screen)
            continue;
        added += library.AddPageToLibrary(libraryPath, libraryDescription, screen, choice.label, choice.description,
                                          choice.depth, true);
    }
    if (added > 0 && !library.WriteLibraryFile())
        return 0;
    doc.MutableSettings().LastContentLibrary = libraryPath;
    return added;
}

std::vector<CCorvPage *> InsertChoices(CCorvessaDoc &doc, const QString &libraryPath,
                                       const std::vector<LibraryInsertChoice> &choices, CCorvPage *after)
{
    std::vector<CCorvPage *> inserted;
    CCorvPage *anchor = after;
    for (const LibraryInsertChoice &choice : choices) {
        const QString file = ContentLibrary::ItemFilePath(libraryPath, choice.itemPath);
        if (file.isEmpty()) {
            doc.Prompt().Error(QStringLiteral("The library item \"%1\" lies outside the library's folder and is not "
                                              "inserted.").arg(choice.itemPath));
            continue;
        }
        if (CCorvPage *screen = CSingleScreenArchive::LoadScreenArchive(doc, file, anchor)) {
            inserted.push_back(screen);
            anchor = screen;
        }
    }
    doc.MutableSettings().LastContentLibrary = libraryPath;
    doc.SetModifiedFlag();
    return inserted;
}

} // namespace CorvLibraryChoices
