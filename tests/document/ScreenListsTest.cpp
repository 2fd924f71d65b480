#include "document/CorvessaDoc.h"
#include "document/DocumentObserver.h"
#include "model/ComponentLink.h"
#include "model/ComponentRectangle.h"
#include "model/CorvPage.h"
#include "model/FakeCanvas.h"
#include "platform/CorvContext.h"
#include "platform/Prompt.h"
#include "platform/richtext/RichText.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<CCorvPage> Page(int id, const QString &label, int pageType = 2)
{
    return std::make_unique<CCorvPage>(id, "Screen " + label, "", "", 0, label, pageType, -1);
}

QStringList Labels(const CCorvessaDoc::ScreenList &list)
{
    QStringList labels;
    for (const auto &s : list)
        labels.append(s->GetLabel());
    return labels;
}

CComponentLink *AddLink(CCorvPage &page, const CCorvPage *target, int targetId = -1)
{
    auto link = std::make_unique<CComponentLink>();
    CComponentLink *raw = link.get();
    if (target)
        raw->SetTargetPage(target);
    else
        raw->SetTargetPageId(targetId);
    page.AddComponent(std::move(link));
    return raw;
}

} // namespace

// Guards the list a new screen joins and its place there: after the screen given only when that screen is
// in the chosen list, else at its end; the popup flag wins over the glossary flag.
TEST(ScreenLists, AddScreenChoosesTheListAndThePlace)
{
    CCorvessaDoc doc(CCorvContext::Empty());
    CCorvPage *a = doc.AddScreen(Page(0, "1"), nullptr, false, false);
    CCorvPage *b = doc.AddScreen(Page(1, "2"), a, false, false);
    doc.AddScreen(Page(2, "1.1"), a, false, false);
    EXPECT_EQ(Labels(doc.MainScreens()), QStringList({"1", "1.1", "2"}));

    CCorvPage *popups = doc.AddScreen(Page(3, "1000", 7), nullptr, true, false);
    // A main screen as the place: not in the popups list, so the popup goes to its end.
    doc.AddScreen(Page(4, "P1"), b, true, false);
    doc.AddScreen(Page(5, "P0"), popups, true, true);
    EXPECT_EQ(Labels(doc.PopupScreens()), QStringList({"1000", "P0", "P1"}));

    doc.AddScreen(Page(6, "9000", 9), nullptr, false, true);
    doc.AddScreen(Page(7, "G1"), popups, false, true);
    EXPECT_EQ(Labels(doc.GlossaryScreens()), QStringList({"9000", "G1"}));
    EXPECT_EQ(Labels(doc.MainScreens()), QStringList({"1", "1.1", "2"}));
}

// Guards removal: only from the list named, the screen handed back or deleted, pointers to it forgotten,
// and the canvas let go of in every case.
TEST(ScreenLists, RemoveTakesTheScreenOnlyFromItsOwnList)
{
    FakeCanvas canvas;
    CCorvessaDoc doc(CCorvContext::Empty());
    CCorvPage *folder = doc.AddScreen(Page(0, "FP", 4), nullptr, false, false);
    doc.SetFinalPerformanceFolder(folder);
    CCorvPage *popup = doc.AddScreen(Page(1, "P1"), nullptr, true, false);
    popup->AddComponent(std::make_unique<CComponentRectangle>());

    popup->ShowOnCanvas(canvas);
    ASSERT_EQ(canvas.displayed.size(), 1u);
    EXPECT_EQ(doc.RemoveScreen(popup, true), nullptr); // not a main screen
    EXPECT_EQ(doc.PopupScreens().size(), 1u);
    EXPECT_TRUE(canvas.displayed.empty()); // it left the canvas all the same
    EXPECT_EQ(popup->GetCanvas(), nullptr);

    std::unique_ptr<CCorvPage> taken = doc.RemovePopupScreen(popup, false);
    EXPECT_EQ(taken.get(), popup);
    EXPECT_TRUE(doc.PopupScreens().empty());

    EXPECT_EQ(doc.RemoveScreen(folder, true), nullptr);
    EXPECT_TRUE(doc.MainScreens().empty());
    EXPECT_EQ(doc.GetFinalPerformanceFolder(), nullptr);
    EXPECT_EQ(doc.RemoveGlossaryScreen(nullptr, true), nullptr);
}

// Guards the link check before a preview or publish: links to screens that are gone are deleted without a
// question; links that still lead somewhere stay; popup screens are not visited unless named.
TEST(ScreenLists, CheckLinksDeletesLinksToScreensThatAreGone)
{
    CCorvessaDoc doc(CCorvContext::Empty());
    CCorvPage *first = doc.AddScreen(Page(0, "1"), nullptr, false, false);
    CCorvPage *second = doc.AddScreen(Page(1, "2"), first, false, false);
    CCorvPage *popup = doc.AddScreen(Page(2, "P1"), nullptr, true, false);
    AddLink(*first, second);
    AddLink(*first, nullptr, 42);
    AddLink(*popup, nullptr, 42);

    doc.CheckLinks();
    ASSERT_EQ(first->GetComponentCount(), 1);
    EXPECT_EQ(static_cast<CComponentLink *>(first->GetComponent(0))->GetTargetPageId(), 1);
    EXPECT_EQ(popup->GetComponentCount(), 1);

    doc.CheckLinks(popup);
    EXPECT_EQ(popup->GetComponentCount(), 0);
}

// Guards the placeholder pictures of the content layouts, by size preset.
TEST(ScreenLists, PlaceholderPicturesBySizePreset)
{
    CCorvContext context;
    context.programFolder = "/opt/corvessa";
    CCorvessaDoc doc(context);
    const std::pair<int, const char *> cases[] = {
        {0, "tmp_small.png"}, {1, "tmp_medium.png"}, {2, "tmp_large.png"},
        {7, "tmp_medium.png"}, {-1, "tmp_medium.png"}};
    for (const auto &[preset, name] : cases)
        EXPECT_EQ(doc.GetPlaceholderImagePath(preset), QStringLiteral("/opt/corvessa/") + name) << preset;
}

// Guards the RTF loader of old text and table files: a missing file is no error that ends a whole open,
// only a text left as it was.
TEST(ScreenLists, RtfFilesLoadIntoTextAndMissingOnesAreRefused)
{
    TempTree tree;
    const QString path = tree.Write("Rtfs/tb1.rtf", "{\\rtf1\\ansi Gulls}");
    CRichText text;
    EXPECT_TRUE(CCorvessaDoc::LoadRtfIntoRichEdit(path, &text));
    EXPECT_EQ(text.GetText(), "Gulls");
    EXPECT_FALSE(CCorvessaDoc::LoadRtfIntoRichEdit(tree / "Rtfs/missing.rtf", &text));
    EXPECT_EQ(text.GetText(), "Gulls");
    EXPECT_FALSE(CCorvessaDoc::LoadRtfIntoRichEdit("", &text));
    EXPECT_FALSE(CCorvessaDoc::LoadRtfIntoRichEdit(path, nullptr));
}

// Guards the glossary import's hand-over: the Edit window takes the item when it is there.
TEST(ScreenLists, GlossaryItemsGoToTheEditWindow)
{
    struct EditWindow : CDocumentObserver
    {
        QStringList items;
        bool AddGlossaryItem(CCorvessaDoc &, const QString &term, const QString &definition) override
        {
            items.append(term + "=" + definition);
            return true;
        }
    } editWindow;
    CCorvessaDoc doc(CCorvContext::Empty());
    EXPECT_FALSE(doc.AddGlossaryItem("tern", "a sea bird"));
    doc.AddObserver(&editWindow);
    EXPECT_TRUE(doc.AddGlossaryItem("tern", "a sea bird"));
    EXPECT_EQ(editWindow.items, QStringList{"tern=a sea bird"});
}
