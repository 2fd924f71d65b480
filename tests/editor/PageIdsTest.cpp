#include "EditFixture.h"

#include "editor/PageIds.h"

#include <gtest/gtest.h>

// Guards the label arithmetic every new screen and every renumbering rests on.
TEST(PageIds, NextPageId)
{
    const std::pair<QString, QString> cases[] = {
        {"", "1"}, {"7", "8"}, {"1_1", "1_2"}, {"2_3_9", "2_3_10"}, {"P3_1", "P3_2"}, {"P3", "1"}, {"G2_4", "G2_5"},
        {"abc", "1"}, {"3_", "3_1"}, {"99999999999999999999", QString()},
    };
    for (const auto &[label, next] : cases) {
        if (next.isNull()) // a runaway number gives some label, and no crash
            EXPECT_FALSE(PageIds::NextPageId(label).isEmpty());
        else
            EXPECT_EQ(PageIds::NextPageId(label), next) << qPrintable(label);
    }
}

// Guards the stale-label fault: a plain string test would nest "12" under "1" and "1_10" under "1_1", and a
// reloaded course would silently move those screens.
TEST(PageIds, IdHasPrefixIsComponentWise)
{
    const std::tuple<QString, QString, bool> cases[] = {
        {"1_2", "1", true},     {"1", "1", false},     {"1_2", "1_2_1", false}, {"p3_1", "P3", true},
        {"12", "1", false},     {"1_10", "1_1", false}, {"11_1", "1", false},   {"1_", "1", false},
        {"G1_1_1", "g1", true}, {"1_2", "", false},
    };
    for (const auto &[label, prefix, expected] : cases)
        EXPECT_EQ(PageIds::IdHasPrefix(label, prefix), expected) << qPrintable(label + " / " + prefix);
}

// Guards the label of a new last child: counted from the last child, not from how many there are.
TEST(PageIds, ChildPageId)
{
    EditFixture f({{"4", "Four", pt_folder}});
    const COutlineTree::Item *four = f.Item("Four");
    EXPECT_EQ(PageIds::ChildPageId(f.edit->GetTreeCtrl(), four), "4_1");
    f.doc->AddScreen(std::make_unique<CCorvPage>(10, "A", "", "", 0, "4_1", pt_document, 0));
    f.edit->OnUpdate();
    EXPECT_EQ(PageIds::ChildPageId(f.edit->GetTreeCtrl(), f.Item("Four")), "4_2");
    f.doc->AddScreen(std::make_unique<CCorvPage>(11, "B", "", "", 0, "4_2", pt_document, 0));
    f.doc->AddScreen(std::make_unique<CCorvPage>(12, "C", "", "", 0, "4_3", pt_document, 0));
    f.edit->OnUpdate();
    EXPECT_EQ(PageIds::ChildPageId(f.edit->GetTreeCtrl(), f.Item("Four")), "4_4");
}
