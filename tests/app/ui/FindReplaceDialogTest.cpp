#include "dialogs/ui/DlgSearchAndReplace.h"

#include "document/CorvessaDoc.h"
#include "model/ComponentTextbox.h"
#include "model/CorvPage.h"
#include "platform/CorvContext.h"
#include "platform/RecordingPrompt.h"
#include "platform/richtext/RichText.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class OneScreenWindow : public CFindReplaceHost
{
public:
    CCorvPage *screen = nullptr;
    CCorvPage *CurrentScreen() const override { return screen; }
    void ShowScreen(CCorvPage *s) override { screen = s; }
};

} // namespace

// Guards the Find dialog as an author uses it: the search buttons wait for something to find; Find selects
// the word, Replace changes it, Replace All changes the rest and says how many; the project is modified.
TEST(FindReplaceDialog, TypeFindReplaceAll)
{
    CCorvessaDoc doc(CCorvContext::Empty(), [] { return int64_t(0); });
    CCorvPage *screen = doc.AddScreen(std::make_unique<CCorvPage>(1, "One", "", "", 0, "1", 2, -1));
    auto box = std::make_unique<CComponentTextbox>();
    CRichText &text = box->GetRichText();
    text.ReplaceAll("red fox, red hen, red sky");
    ASSERT_TRUE(screen->AddComponent(std::move(box)).Ok());
    OneScreenWindow window;
    window.screen = screen;
    CRecordingPrompt prompt;
    CDlgSearchAndReplace dialog(doc, window, prompt);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_FALSE(dialog.FindButton()->isEnabled());
    EXPECT_FALSE(dialog.ReplaceAllButton()->isEnabled());

    QTest::keyClicks(dialog.FindWhatEdit(), "red");
    QTest::keyClicks(dialog.ReplaceWithEdit(), "blue");
    EXPECT_TRUE(dialog.FindButton()->isEnabled());
    QTest::mouseClick(dialog.FindButton(), Qt::LeftButton);
    EXPECT_EQ(text.GetSelText(), "red");
    QTest::mouseClick(dialog.ReplaceButton(), Qt::LeftButton);
    EXPECT_EQ(text.GetText(), "blue fox, red hen, red sky");
    QTest::mouseClick(dialog.ReplaceAllButton(), Qt::LeftButton);
    EXPECT_EQ(text.GetText(), "blue fox, blue hen, blue sky");
    ASSERT_FALSE(prompt.Entries().isEmpty());
    EXPECT_EQ(prompt.Entries().back().text, "2 replacements were made.");
    EXPECT_TRUE(doc.IsModified());

    const QString folder = QStringLiteral(CORV_BUILD_TEST_DIR "/screenshots");
    QDir().mkpath(folder);
    dialog.grab().save(folder + "/dialog-find-replace.png");
}
