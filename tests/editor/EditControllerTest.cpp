#include "EditFixture.h"

#include "model/ComponentRectangle.h"

#include <gtest/gtest.h>

// Guards the thumbnail strip after an open: one item per screen with a picture, in the order main, popups,
// glossary, with positional captions; containers and special folders have none.
TEST(EditController, ThumbnailsAfterOpen)
{
    EditFixture f({{"1", "A", pt_folder}, {"1_1", "B"}, {"1_2", "C", pt_question}, {"2", "Box", pt_container},
                   {"2_1", "D", pt_asmt_document}, {"3", "R", pt_remediation}, {"4", "AF", pt_asmt_folder},
                   {"P5", "Popups", pt_popups_only, EditFixture::popups},
                   {"P5_1", "Pop1", pt_document, EditFixture::popups},
                   {"P5_2", "Pop2", pt_document, EditFixture::popups},
                   {"G6", "Glossary", pt_glossary, EditFixture::glossary},
                   {"G6_1", "Term", pt_document, EditFixture::glossary}});
    EXPECT_EQ(f.Captions(), "1 2 3 4 P5 P6 G7");
    QStringList order;
    for (int i = 0; i < f.edit->Thumbs().GetItemCount(); ++i)
        order << f.edit->Thumbs().GetItemData(i)->GetTitle();
    EXPECT_EQ(order.join(' '), "A B C D Pop1 Pop2 Term");
    // The first thumbnail is current, with its outline item.
    EXPECT_EQ(f.edit->GetCurrentPage(), f.Page("A"));
    EXPECT_EQ(f.edit->GetCurrentItem(), f.Item("A"));
    EXPECT_EQ(f.edit->GetCurrentThumbnailIndex(), 0);
    // Nothing is drawn until a picture is asked for.
    EXPECT_EQ(f.edit->Thumbs().DrawCount(), 0);
}

// Guards the refill after moves: a main-list screen keeps no "P" mark, and the label it loses is stored.
TEST(EditController, RefillStripsListMarksInTheMainList)
{
    EditFixture f({{"1", "A"}, {"P3", "Moved"}, {"P1", "Popups", pt_popups_only, EditFixture::popups},
                   {"P1_1", "Pop", pt_document, EditFixture::popups}});
    EXPECT_EQ(f.Captions(), "1 P2 P3");
    f.edit->RefillThumbnails();
    EXPECT_EQ(f.Page("Moved")->GetLabel(), "3");
    EXPECT_EQ(f.Page("Pop")->GetLabel(), "P1_1");
    EXPECT_EQ(f.Captions(), "1 2 P3");
}

// Guards the hand-over: a modified screen's picture is drawn again when the author leaves it, an unchanged
// one is not; a tree selection made by the program never changes the current screen.
TEST(EditController, ChangingTheCurrentScreen)
{
    EditFixture f({{"1", "A"}, {"2", "B"}, {"3", "Box", pt_container}});
    CThumbStrip &strip = f.edit->Thumbs();
    const QImage before = strip.SmallImage(strip.GetItem(0).image, *f.Page("A")).copy();
    EXPECT_EQ(before.size(), QSize(100, 70));
    EXPECT_EQ(strip.LargeImage(strip.GetItem(0).image, *f.Page("A")).size(), QSize(190, 140));

    f.Page("A")->AddComponent(std::make_unique<CComponentRectangle>());
    f.Page("A")->SetModified(1);
    f.edit->SelectThumbnail(1);
    EXPECT_EQ(f.edit->GetCurrentPage(), f.Page("B"));
    EXPECT_EQ(f.edit->GetCurrentItem(), f.Item("B"));
    EXPECT_EQ(f.Page("A")->GetModified(), 0);
    EXPECT_FALSE(strip.IsImageDrawn(strip.GetItem(0).image));
    EXPECT_NE(strip.SmallImage(strip.GetItem(0).image, *f.Page("A")), before);

    f.edit->SelectTreeItem(f.Item("A"), false);
    EXPECT_EQ(f.edit->GetCurrentPage(), f.Page("B"));
    f.edit->SelectTreeItem(f.Item("Box"), true);
    EXPECT_EQ(f.edit->GetCurrentPage(), f.Page("Box"));
    EXPECT_EQ(f.edit->GetCurrentThumbnailIndex(), -1);
    // A current screen without a thumbnail has no picture to refresh: nothing happens.
    const int drawn = strip.DrawCount();
    f.edit->RefreshCurrentThumbnail();
    EXPECT_EQ(strip.DrawCount(), drawn);
    EXPECT_TRUE(strip.IsImageDrawn(strip.GetItem(0).image));
}

// Guards the two clipboards: each forgets the other, a copied screen that was deleted is never handed out,
// and a new project starts with both empty.
TEST(EditController, Clipboards)
{
    EditFixture f({{"1", "A"}, {"2", "B"}});
    CComponentRectangle rectangle;
    f.edit->CopyScreen(f.Page("A"));
    EXPECT_EQ(f.edit->GetCopiedScreen(), f.Page("A"));
    f.edit->CopyComponent(&rectangle);
    ASSERT_TRUE(f.edit->GetComponentClipboard());
    EXPECT_NE(f.edit->GetComponentClipboard(), &rectangle);
    EXPECT_EQ(f.edit->GetCopiedScreen(), nullptr);
    f.edit->CopyScreen(f.Page("B"));
    EXPECT_EQ(f.edit->GetComponentClipboard(), nullptr);

    f.prompt.Script({CPrompt::yes});
    ASSERT_TRUE(f.edit->DeleteOutlineItem(f.Item("B"), true));
    EXPECT_EQ(f.edit->GetCopiedScreen(), nullptr);

    f.edit->CopyComponent(&rectangle);
    f.edit->CopyScreen(f.Page("A"));
    f.edit->CopyComponent(&rectangle);
    f.edit->OnInitialUpdate();
    EXPECT_EQ(f.edit->GetComponentClipboard(), nullptr);
    EXPECT_EQ(f.edit->GetCopiedScreen(), nullptr);
}
