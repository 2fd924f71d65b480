#include "dialogs/ui/DlgAutoBackupSetting.h"
#include "dialogs/ui/DlgElementProperties.h"
#include "dialogs/ui/DlgSCORMExitCode.h"
#include "support/TempTree.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

// Guards the element dialog: Preview hands the element the placement the author typed, clamped, and keeps
// the dialog open; OK corrects a size that would reach past the canvas.
TEST(SmallDialogs, ElementPropertiesPreviewAndClamp)
{
    CDlgElementProperties dialog;
    QList<CElementPlacement> previews;
    dialog.onPreview = [&](const CElementPlacement &p) { previews.append(p); };
    dialog.ShowValues();
    dialog.show();
    const auto type = [](QSpinBox *box, int value) {
        box->selectAll();
        QTest::keyClicks(box, QString::number(value));
    };
    type(dialog.TopSpin(), 20);
    type(dialog.LeftSpin(), 10);
    type(dialog.WidthSpin(), 300);
    type(dialog.HeightSpin(), 200);
    QTest::mouseClick(dialog.findChild<QPushButton *>("Preview"), Qt::LeftButton);
    ASSERT_EQ(previews.size(), 1);
    EXPECT_EQ(previews[0].left, 10);
    EXPECT_EQ(previews[0].top, 20);
    EXPECT_TRUE(dialog.isVisible());
    type(dialog.TopSpin(), 500);
    type(dialog.HeightSpin(), 100);
    dialog.accept();
    EXPECT_EQ(dialog.values.height, 60);
}

// Guards the exit dialog: SCORM 2004 opens on "normal" and the value comes back with its quotation marks;
// SCORM 1.2 does not offer "normal".
TEST(SmallDialogs, ScormExitValues)
{
    CDlgSCORMExitCode dialog;
    dialog.scorm12Flag = 2;
    dialog.value = "\"normal\"";
    dialog.ShowValues();
    EXPECT_EQ(dialog.ValueList()->currentText(), "\"normal\"");
    dialog.ValueList()->setCurrentIndex(dialog.ValueList()->findText("\"time-out\""));
    EXPECT_EQ(dialog.value, "\"time-out\"");
    dialog.scorm12Flag = 1;
    dialog.ShowValues();
    EXPECT_EQ(dialog.ValueList()->findText("\"normal\""), -1);
}

// Guards the auto-backup dialog over "0 1 12": it opens with backups off, the limit locked showing 5, and
// ticking backups on unlocks the limit box; a limit below 5 is stored as 5.
TEST(SmallDialogs, AutoBackupControls)
{
    TempTree tree;
    CDlgAutoBackupSetting dialog;
    dialog.values.Load(tree.Write("dovar.txt", "0\n1\n12"));
    dialog.ShowValues();
    dialog.show();
    EXPECT_FALSE(dialog.BackupBox()->isChecked());
    EXPECT_FALSE(dialog.LimitBox()->isEnabled());
    EXPECT_FALSE(dialog.LimitEdit()->isEnabled());
    EXPECT_EQ(dialog.LimitEdit()->text(), "5");
    QTest::mouseClick(dialog.BackupBox(), Qt::LeftButton);
    EXPECT_TRUE(dialog.LimitBox()->isEnabled());
    EXPECT_TRUE(dialog.LimitEdit()->isEnabled());
    dialog.LimitEdit()->setText("3");
    dialog.accept();
    EXPECT_EQ(dialog.values.BackupOnSave, 1);
    EXPECT_EQ(dialog.values.LimitBackups, 1);
    EXPECT_EQ(dialog.values.BackupLimit, 5);
}
