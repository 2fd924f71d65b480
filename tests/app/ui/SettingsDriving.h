#pragma once

// What the Settings window tests share to reach a page and choose in its boxes as an author does.
#include "app/ui/SettingsFrmVw.h"

#include <QComboBox>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

// Shows a category's page by clicking its entry in the tree.
inline void ClickCategory(CSettingsFrmVw *view, int category)
{
    QTreeWidget *tree = view->CategoryTree();
    const QRect cell = tree->visualItemRect(tree->topLevelItem(category));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, cell.center());
}

// Chooses an entry of a closed box from the keyboard: focus, Home, then Down.
inline void ChooseByKeys(QComboBox *box, const QString &text)
{
    box->setFocus(Qt::OtherFocusReason);
    const int target = box->findText(text, Qt::MatchFixedString);
    ASSERT_GE(target, 0) << qPrintable(text);
    QTest::keyClick(box, Qt::Key_Home);
    for (int i = 0; i < target; ++i)
        QTest::keyClick(box, Qt::Key_Down);
    ASSERT_EQ(box->currentText(), box->itemText(target));
}
