// The Internationalisation page of the Settings window, driven as an author does: texts edited in the list,
// export, import, reset, the text direction; and the texts of a course published afterwards, seen in Chromium.
#include "AppFixture.h"

#include "app/CommandIds.h"
#include "app/ui/ChildDlgInternationalisation.h"
#include "app/ui/MainFrame.h"
#include "app/ui/PublishFrmVw.h"
#include "app/ui/SettingsFrmVw.h"
#include "app/ui/controls/DropDownListCtrl.h"
#include "document/CorvessaDoc.h"
#include "document/InternationalProfileFromXML.h"
#include "document/InternationalProfileReading.h"
#include "model/GlobalHelpers.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

QByteArray Item(const char *variable, const char *text, const QByteArray &files = {}, int multiline = 0, int cannotBeNull = 0)
{
    return QByteArray("\t<item  basevariable=\"kvxPrefs.str\" multiline=\"") + QByteArray::number(multiline)
           + "\" limit=\"0\" cannotbenull=\"" + QByteArray::number(cannotBeNull) + "\">\n\t\t<variable>" + variable
           + "</variable>\n\t\t<description>The " + variable + " text</description>\n\t\t<text><![CDATA[" + text
           + "]]></text>\n" + (files.isEmpty() ? QByteArray() : "\t\t<files>\n" + files + "\t\t</files>\n")
           + "\t</item>\n";
}

QByteArray Token(const char *token, const char *file)
{
    return QByteArray("\t\t\t<file>\n\t\t\t\t<publishtype>html</publishtype>\n\t\t\t\t<replacestr><![CDATA[") + token
           + "]]></replacestr>\n\t\t\t\t<filename>" + file + "</filename>\n\t\t\t</file>\n";
}

// A German profile of this program's version: the start link's token, the Next button and the skip link.
QByteArray GermanProfile()
{
    return "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<internationalisation kvver=\"" + GetExeVersionString().toUtf8()
           + "\">\n\t<basevariable></basevariable>\n"
           + Item("startcourse", "Kurs beginnen", Token("<~startcourse~>", "index.htm"), 0, 1)
           + Item("next", "Vor") + Item("skiptoscreen", "Zum Bildschirm", Token("<~skiptoscreen~>", "ind.htm"))
           + Item("quitconfirm", "Line one\\nline two", {}, 1) + "</internationalisation>\n";
}

struct PageApp {
    AppFixture f;
    std::unique_ptr<CCorvessaApp> app;
    CChildDlgInternationalisation *page = nullptr;

    explicit PageApp(bool programData = false)
    {
        if (programData)
            f.CopyBuiltProgramData();
        else
            f.tree.Write("bin/kv_profile.kvp", TempTree::ReadAll(QStringLiteral(CORV_SOURCE_DIR "/data/kv_profile.kvp")));
        app = f.Start();
        CSettingsFrmVw *view = app->SettingsView();
        QTreeWidget *tree = view->CategoryTree();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(tree->topLevelItem(CSettingsFrmVw::Internationalization)).center());
        page = dynamic_cast<CChildDlgInternationalisation *>(view->Page(CSettingsFrmVw::Internationalization));
        if (page)
            page->SetFileDialogs(&f.dialogs);
    }

    CDropDownListCtrl *List() const { return page->List(); }
    int RowOf(const QString &description) const
    {
        for (int row = 0; row < List()->rowCount(); ++row)
            if (List()->CellText(row, 1) == description)
                return row;
        return -1;
    }
    // Clicks the row's Text cell, types and presses Return, as an author edits a text.
    void Type(int row, const QString &text) const
    {
        List()->scrollToItem(List()->item(row, 2));
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualRect(List()->model()->index(row, 2)).center());
        QWidget *editor = List()->ActiveEditor();
        ASSERT_NE(editor, nullptr);
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            line->selectAll();
        else
            QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(editor, Qt::Key_Delete);
        else
            QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Tab);
        List()->EndActiveEdit();
    }
    QString TextOf(const QString &variable) const
    {
        if (const auto *profile = CorvProfileReading::LoadedProfile(*app->Document()))
            for (const auto &item : profile->items)
                if (item.variable == variable)
                    return item.GetText();
        return "(none)";
    }
};

} // namespace

// Guards the page's list and the author's edits: one row per sundry text, only the Text column editable,
// a typed text in the profile and the project modified, an emptied text that may not be empty brought back,
// a multi-line text offered in a multi-line row.
TEST(InternationalisationPage, EditsTextsInPlace)
{
    PageApp a;
    ASSERT_NE(a.page, nullptr);
    ASSERT_TRUE(a.page->isVisible());
    const auto *profile = CorvProfileReading::LoadedProfile(*a.app->Document());
    ASSERT_NE(profile, nullptr);
    ASSERT_EQ(a.List()->rowCount(), int(profile->items.size()));
    EXPECT_EQ(a.List()->CellText(0, 0), "1");
    EXPECT_TRUE(a.List()->IsReadOnlyColumn(1));
    EXPECT_FALSE(a.List()->IsReadOnlyColumn(2));
    EXPECT_FALSE(a.app->Document()->IsModified());

    const int start = a.RowOf("The link that starts the course on its start page");
    ASSERT_GE(start, 0);
    a.Type(start, "Begin here");
    EXPECT_EQ(a.TextOf("startcourse"), "Begin here");
    EXPECT_TRUE(a.app->Document()->IsModified());

    a.Type(start, "");
    EXPECT_EQ(a.List()->CellText(start, 2), "Begin here") << "a text that may not be empty comes back";
    EXPECT_EQ(a.TextOf("startcourse"), "Begin here");
    EXPECT_TRUE(a.f.prompt.Texts().isEmpty()) << qPrintable(a.f.prompt.Texts().join('\n'));

    // A picture of the page for a person to look at.
    QDir().mkpath(QStringLiteral(CORV_BUILD_TEST_DIR "/offscreen-shots"));
    a.app->MainFrame()->grab().save(QStringLiteral(CORV_BUILD_TEST_DIR "/offscreen-shots/internationalisation_page.png"));
}

// Guards export, import and reset: the export holds the texts as edited and becomes the page's file; an
// imported file replaces the texts and becomes the project's profile; a damaged file is told and leaves
// an empty list; reset brings the program's default texts back; each marks the project modified.
TEST(InternationalisationPage, ExportImportReset)
{
    PageApp a;
    ASSERT_NE(a.page, nullptr);
    const int start = a.RowOf("The link that starts the course on its start page");
    ASSERT_GE(start, 0);
    a.Type(start, "Edited start");

    a.f.dialogs.answers = {a.f.tree / "out/mine"};
    QDir().mkpath(a.f.tree / "out");
    QTest::mouseClick(a.page->ExportButton(), Qt::LeftButton);
    EXPECT_TRUE(a.f.dialogs.asked.back().endsWith("|" + CChildDlgInternationalisation::kFilter));
    const auto exported = InternationalProfileFromXML::ReadFile(a.f.tree / "out/mine.kvp");
    ASSERT_NE(exported, nullptr);
    EXPECT_EQ(exported->items[std::size_t(start)].text, "Edited start");
    EXPECT_EQ(a.page->profilePath, a.f.tree / "out/mine.kvp");

    const QString german = a.f.tree.Write("in/german.kvp", GermanProfile());
    a.app->Document()->SetModifiedFlag(false);
    a.f.dialogs.answers = {german};
    QTest::mouseClick(a.page->ImportButton(), Qt::LeftButton);
    ASSERT_EQ(a.List()->rowCount(), 4);
    EXPECT_EQ(a.List()->CellText(0, 2), "Kurs beginnen");
    EXPECT_TRUE(a.List()->IsMultiLineRow(3));
    EXPECT_FALSE(a.List()->IsMultiLineRow(0));
    EXPECT_EQ(a.app->Document()->Settings().InternationalProfileFilename, german);
    EXPECT_TRUE(a.app->Document()->IsModified());

    // A damaged file is told and costs nothing: the texts, the list, the profile's path and the saved state stay.
    a.app->Document()->SetModifiedFlag(false);
    a.f.dialogs.answers = {a.f.tree.Write("in/broken.kvp", "<internationalisation><item>")};
    QTest::mouseClick(a.page->ImportButton(), Qt::LeftButton);
    ASSERT_FALSE(a.f.prompt.Texts().isEmpty());
    EXPECT_TRUE(a.f.prompt.Texts().back().startsWith("Unable to read International Profile sundry text"));
    EXPECT_EQ(a.List()->rowCount(), 4);
    EXPECT_EQ(a.List()->CellText(0, 2), "Kurs beginnen");
    EXPECT_EQ(a.TextOf("next"), "Vor");
    EXPECT_EQ(a.app->Document()->Settings().InternationalProfileFilename, german);
    EXPECT_EQ(a.page->profilePath, german);
    EXPECT_FALSE(a.app->Document()->IsModified());

    a.app->Document()->SetModifiedFlag(false);
    QTest::mouseClick(a.page->ResetButton(), Qt::LeftButton);
    EXPECT_EQ(a.TextOf("startcourse"), "Start the course");
    EXPECT_GT(a.List()->rowCount(), 4);
    EXPECT_EQ(QFileInfo(a.app->Document()->Settings().InternationalProfileFilename).fileName(), "kv_profile.kvp");
    EXPECT_TRUE(a.app->Document()->IsModified());
}

// Guards the text direction box: the project's default direction follows it, the project is modified and
// the Text column is right-aligned.
TEST(InternationalisationPage, RightToLeftBox)
{
    PageApp a;
    ASSERT_NE(a.page, nullptr);
    a.page->RightToLeftBox()->setFocus();
    QTest::keyClick(a.page->RightToLeftBox(), Qt::Key_Space);
    EXPECT_EQ(a.app->Document()->Settings().RightToLeft, 1);
    EXPECT_TRUE(a.app->Document()->IsModified());
    ASSERT_GT(a.List()->rowCount(), 0);
    EXPECT_TRUE(a.List()->item(0, 2)->textAlignment() & Qt::AlignRight);
    QTest::keyClick(a.page->RightToLeftBox(), Qt::Key_Space);
    EXPECT_EQ(a.app->Document()->Settings().RightToLeft, 0);
}

// Guards the way from the page to the learner: texts imported and edited on the page are in the project
// after Save, New and Open, and the course published from it shows them: the start link, the Next button
// and the skip link, in headless Chromium.
TEST(InternationalisationPage, TextsReachThePublishedCourse)
{
    PageApp a(true);
    ASSERT_NE(a.page, nullptr);
    const QString project = a.f.WriteProject("p/Deutsch.kvx", {{"1", "Willkommen", pt_document}, {"2", "Ende", pt_document}},
                                             "Sicherheit");
    ASSERT_TRUE(a.app->OpenDocumentFile(project));
    a.f.dialogs.answers = {a.f.tree.Write("in/german.kvp", GermanProfile())};
    QTest::mouseClick(a.page->ImportButton(), Qt::LeftButton);
    ASSERT_EQ(a.List()->rowCount(), 4);
    a.Type(1, "Weiter");
    a.Type(0, "Kurs starten");

    CMainFrame *frame = a.app->MainFrame();
    frame->Action(CorvCommand::FileSave)->trigger();
    ASSERT_FALSE(a.app->Document()->IsModified()) << qPrintable(a.f.prompt.Texts().join('\n'));
    frame->Action(CorvCommand::FileNew)->trigger();
    EXPECT_NE(a.TextOf("next"), "Weiter") << "a new project does not inherit the edited texts";
    a.f.dialogs.answers = {project};
    frame->Action(CorvCommand::FileOpen)->trigger();
    EXPECT_EQ(a.TextOf("next"), "Weiter");
    EXPECT_EQ(a.TextOf("startcourse"), "Kurs starten");
    a.app->SettingsView()->RefreshFromDocument();
    EXPECT_EQ(a.List()->CellText(1, 2), "Weiter") << "the page shows the project's texts";

    CCorvessaDoc *doc = a.app->Document();
    doc->MutableSettings().WarnInteractTooLow = 0;
    CPublishFrmVw *view = a.app->PublishView();
    view->Controller().SetOpeners([](const QString &) {}, [](const QString &) {});
    a.f.prompt.SetFallback(CPrompt::yes);
    a.f.prompt.Clear();
    a.app->OnViewPublish();
    QTest::mouseClick(view->Button(CPublishFrmVw::Standalone), Qt::LeftButton);
    const QString published = a.f.tree / "p/Deutsch Published files/Standalone";
    ASSERT_TRUE(QFileInfo::exists(published + "/index.htm")) << qPrintable(a.f.prompt.Texts().join('\n'));
    EXPECT_TRUE(TempTree::ReadAll(published + "/content/scripts/internationalisation.js").contains("kvxPrefs.str.next = \"Weiter\";"));

    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.start("python3", {QStringLiteral(CORV_SOURCE_DIR "/tests/app/ui/check_profile_texts.py"), published,
                            QStringLiteral(CORV_BUILD_TEST_DIR "/profile-texts"), "Kurs starten", "Weiter", "Zum Bildschirm"});
    ASSERT_TRUE(check.waitForFinished(180000));
    const QString output = QString::fromUtf8(check.readAll());
    if (check.exitCode() == 77)
        GTEST_SKIP() << qPrintable(output);
    EXPECT_EQ(check.exitCode(), 0) << qPrintable(output);
}
