#include "AppFixture.h"

#include "app/ui/PublishFrmVw.h"
#include "document/CorvessaDoc.h"
#include "platform/StringTable.h"

#include <QFileInfo>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// The Publish window of a started application with a saved project beside the fixture's folders, whose
// opened folders and pages are recorded instead of reaching the desktop.
struct PublishWindow {
    AppFixture f;
    std::unique_ptr<CCorvessaApp> app = f.Start();
    CPublishFrmVw *view = app->PublishView();
    QStringList opened;

    PublishWindow()
    {
        f.tree.MakeFolder("p");
        app->Document()->SetPathName(f.tree / "p/Demo.kvx");
        view->Controller().SetOpeners([this](const QString &path) { opened << "open " + path; },
                                      [this](const QString &path) { opened << "browse " + path; });
        f.dialogs.answers = {f.tree / "p/Demo.kvx"};
        app->OnViewPublish();
    }

    QList<bool> SmallButtonsEnabled() const
    {
        QList<bool> states;
        for (int kind = -1; kind <= CPublishFrmVw::Lms; ++kind)
            states << view->SmallButton(kind)->isEnabled();
        return states;
    }
};

} // namespace

// Guards the small buttons: all disabled until their kind is published; a standalone publish from its
// button enables the preview and its own folder only, and they open the course's start page and folder.
TEST(PublishWindow, SmallButtonsFollowThePublishes)
{
    PublishWindow w;
    EXPECT_EQ(w.SmallButtonsEnabled(), (QList<bool>{false, false, false, false, false}));
    for (int kind = -1; kind <= CPublishFrmVw::Lms; ++kind) {
        EXPECT_FALSE(w.view->SmallButton(kind)->toolTip().isEmpty()) << kind;
        EXPECT_FALSE(w.view->SmallButton(kind)->accessibleName().isEmpty()) << kind;
    }

    QTest::mouseClick(w.view->Button(CPublishFrmVw::Standalone), Qt::LeftButton);
    EXPECT_EQ(w.SmallButtonsEnabled(), (QList<bool>{true, true, false, false, false}));
    QTest::mouseClick(w.view->SmallButton(-1), Qt::LeftButton);
    QTest::mouseClick(w.view->SmallButton(CPublishFrmVw::Standalone), Qt::LeftButton);
    const QString folder = w.f.tree / "p/Demo Published files/Standalone";
    EXPECT_EQ(w.opened, (QStringList{"browse " + folder + "/index.htm", "open " + folder}));
}

// Guards a publish that cannot start: a missing custom folder gives its message once, enables nothing,
// and the window goes on working (the web button's folder button still comes on, as it does after any
// web command).
TEST(PublishWindow, MissingFolderKeepsTheWindowUsable)
{
    PublishWindow w;
    CCorvessaDoc *doc = w.app->Document();
    doc->MutableSettings().UseDefaultOutputFolder = {0, 0, 0, 0};
    doc->MutableSettings().OutputFolder = {w.f.tree / "gone", w.f.tree / "gone", w.f.tree / "gone", w.f.tree / "gone"};
    w.f.prompt.SetFallback(CPrompt::ok);
    QTest::mouseClick(w.view->Button(CPublishFrmVw::Lan), Qt::LeftButton);
    QTest::mouseClick(w.view->Button(CPublishFrmVw::Web), Qt::LeftButton);
    EXPECT_EQ(w.f.prompt.Texts().filter("could not be found").size(), 2);
    EXPECT_EQ(w.SmallButtonsEnabled(), (QList<bool>{false, false, false, true, false}));
    EXPECT_FALSE(QFileInfo::exists(w.f.tree / "gone"));

    QTest::mouseClick(w.view->SmallButton(CPublishFrmVw::Lms), Qt::LeftButton);
    EXPECT_TRUE(w.opened.isEmpty());
    EXPECT_TRUE(w.view->isEnabled());
}
