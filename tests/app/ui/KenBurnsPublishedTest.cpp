#include "AppFixture.h"

#include "app/CommandIds.h"
#include "app/ui/PublishFrmVw.h"
#include "dialogs/ui/DlgKenBurnsEffect.h"
#include "dialogs/ui/KBImageWnd.h"
#include "document/CorvessaDoc.h"
#include "editor/ui/ComponentWindows.h"
#include "editor/ui/EditFrmVw.h"
#include "editor/ui/ScrollViewEx.h"
#include "model/ComponentFactory.h"
#include "model/ComponentImage.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QProcess>
#include <QRadioButton>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

QString WritePhoto(const QString &path, int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    QPainter p(&picture);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0, QColor(20, 70, 140));
    gradient.setColorAt(1, QColor(240, 210, 130));
    p.fillRect(picture.rect(), gradient);
    p.setPen(QPen(Qt::white, 6));
    for (int x = 0; x < width; x += 60)
        p.drawLine(x, 0, x + height / 2, height);
    p.end();
    QDir().mkpath(QFileInfo(path).path());
    EXPECT_TRUE(picture.save(path));
    return path;
}

// Acts on the pan-and-zoom editor once the command has opened it.
bool WithEditor(const std::function<void()> &open, const std::function<void(CDlgKenBurnsEffect &)> &act)
{
    bool acted = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *dialog = qobject_cast<CDlgKenBurnsEffect *>(QApplication::activeModalWidget())) {
            poll.stop();
            acted = true;
            act(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        }
    });
    poll.start(10);
    open();
    return acted;
}

void DragMarker(CKBImageWnd &picture, int i, const QPoint &to)
{
    CWndPanMarker *marker = picture.Marker(i);
    ASSERT_NE(marker, nullptr);
    QTest::mousePress(marker, Qt::LeftButton, {}, QPoint(14, 14));
    QTest::mouseMove(marker, marker->mapFromParent(to));
    QTest::mouseRelease(marker, Qt::LeftButton, {}, marker->mapFromParent(to));
}

void DragInPicture(CKBImageWnd &picture, const QPoint &from, const QPoint &to)
{
    QTest::mousePress(&picture, Qt::LeftButton, {}, from);
    QTest::mouseMove(&picture, to);
    QTest::mouseRelease(&picture, Qt::LeftButton, {}, to);
}

} // namespace

// Guards the whole path of a pan laid out by the author: the picture's context menu opens the editor, the
// author picks an automated pan of three markers, drags the marquee and the markers, and OKs; the picture
// keeps the path through a save and a reopen, and the published screen moves the picture along it.
TEST(KenBurnsPublished, PanLaidOutInTheEditorIsSavedAndAnimatesWhenPublished)
{
    AppFixture f;
    f.CopyBuiltProgramData();
    const QString project =
        f.WriteProject("p/Demo.kvx", {{"1", "Welcome", pt_document}, {"2", "Exit Routes", pt_document}}, "Dunes");
    std::unique_ptr<CCorvessaApp> app = f.Start();
    ASSERT_TRUE(app->OpenDocumentFile(project)) << qPrintable(f.prompt.Texts().join(" | "));
    f.prompt.SetFallback(CPrompt::yes);
    CCorvessaDoc *doc = app->Document();
    doc->MutableSettings().WarnInteractTooLow = 0;
    doc->MutableSettings().CreateZip = 0;
    doc->MutableSettings().LmsOpensNewWindow = 0;
    const QString photo = WritePhoto(f.tree / "pictures/dunes.png", 600, 400);

    app->OnViewEdit();
    CEditFrmVw *edit = app->EditView();
    CScrollViewEx *canvas = edit->Canvas();
    CCorvPage *screen = doc->MainScreens()[0].get();
    edit->MakeCurrentScreen(screen);
    auto made = CComponentFactory::CreateComponent(ct_image, canvas);
    made->SetBounds(CRect(100, 100, 400, 300), true);
    auto *image = static_cast<CComponentImage *>(made.get());
    image->SetImageFile(photo, doc->GetContext());
    ASSERT_TRUE(screen->AddComponent(std::move(made)).Ok());
    screen->ShowOnCanvas(*canvas);
    auto *window = dynamic_cast<CCanvasComponentWindow *>(image->GetComponentWindow());
    ASSERT_NE(window, nullptr);

    std::array<CRect, 3> keyFrames;
    CRect start;
    const bool acted = WithEditor(
        [&] {
            std::unique_ptr<QMenu> menu = window->BuildContextMenu();
            ASSERT_NE(menu, nullptr);
            QAction *command = nullptr;
            for (QAction *action : menu->actions())
                if (action->data().toInt() == CorvCommand::KenBurnsEffect)
                    command = action;
            ASSERT_NE(command, nullptr);
            command->trigger();
        },
        [&](CDlgKenBurnsEffect &d) {
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
            QApplication::setActiveWindow(&d);
            CKBImageWnd &picture = *d.PictureWindow();
            EXPECT_EQ(picture.ImageRect(), CRect(10, 0, 490, 320));
            for (QRadioButton *radio : {d.EffectButton(KenBurns::effectPan), d.PanModeButton(KenBurns::panAutomated)})
                QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));

            // The marquee: a corner dragged (the shape follows the picture), then the whole moved.
            EXPECT_EQ(picture.GetPartRect(), CRect(20, 10, 212, 138));
            DragInPicture(picture, QPoint(211, 137), QPoint(251, 137));
            DragInPicture(picture, QPoint(100, 60), QPoint(110, 65));
            EXPECT_EQ(picture.GetPartRect(), CRect(30, 15, 262, 170));

            QComboBox *count = d.MarkerCountList();
            count->setFocus();
            QTest::keyClick(count, Qt::Key_Down);
            QTest::keyClick(count, Qt::Key_Down);
            for (auto [box, text] : {std::pair{d.TimeToEachMarkerBox(), "2"}, std::pair{d.WaitAtEachMarkerBox(), "1.5"}}) {
                box->setFocus();
                box->selectAll();
                QTest::keyClicks(box, text);
                QTest::keyClick(box, Qt::Key_Tab);
            }
            EXPECT_EQ(d.TimeToCompleteBox()->text(), QStringLiteral("9"));

            DragMarker(picture, 0, QPoint(150, 100));
            DragMarker(picture, 1, QPoint(300, 150));
            DragMarker(picture, 2, QPoint(350, 220));
            for (int i = 0; i < 3; ++i) {
                CRect r = picture.Marker(i)->MarkerRect();
                r.OffsetRect(-10, 0);
                keyFrames[size_t(i)] = r;
            }
            EXPECT_EQ(keyFrames[0], CRect(126, 86, 155, 133));
            start = picture.GetPartRect();
            start.OffsetRect(-10, 0);

            const QString shots = QStringLiteral(CORV_BUILD_TEST_DIR "/screenshots");
            QDir().mkpath(shots);
            d.grab().save(shots + "/ken-burns-editor.png");
            QTest::mouseClick(d.OkButton(), Qt::LeftButton);
        });
    ASSERT_TRUE(acted) << "the editor did not open";

    EXPECT_EQ(image->GetAnimationEffect(), CComponentImage::effectPan);
    EXPECT_TRUE(doc->IsModified());
    ASSERT_TRUE(app->OnFileSave()) << qPrintable(f.prompt.Texts().join(" | "));
    ASSERT_TRUE(app->OpenDocumentFile(project)) << qPrintable(f.prompt.Texts().join(" | "));
    doc = app->Document();
    std::vector<CComponentBase *> images;
    ASSERT_EQ(doc->MainScreens()[0]->GetComponentsOfType(ct_image, images), 1);
    const auto &saved = static_cast<CComponentImage *>(images[0])->GetValues();
    EXPECT_EQ(saved.m_effect, CComponentImage::effectPan);
    EXPECT_EQ(saved.m_panningMode, 2);
    EXPECT_EQ(saved.m_markerCount, 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(saved.m_markers[size_t(i)], keyFrames[size_t(i)]) << i;
    EXPECT_EQ(saved.m_marquee, start);
    EXPECT_FLOAT_EQ(saved.m_scale, 300.0f / 480.0f);
    EXPECT_FLOAT_EQ(saved.m_timeToEachMarker, 2.0f);
    EXPECT_FLOAT_EQ(saved.m_waitAtEachMarker, 1.5f);
    EXPECT_FLOAT_EQ(saved.m_timeToComplete, 9.0f);
    EXPECT_EQ(saved.m_ownCoordinates, 0);

    f.prompt.Clear();
    app->OnViewPublish();
    QTest::mouseClick(app->PublishView()->Button(CPublishFrmVw::Standalone), Qt::LeftButton);
    const QString published = f.tree / "p/Demo Published files/Standalone";
    EXPECT_EQ(f.prompt.Texts().filter(QRegularExpression("^Fail|could not|cannot|missing",
                                                         QRegularExpression::CaseInsensitiveOption)),
              QStringList());
    QString script;
    for (QDirIterator it(published + "/content", {"*.js", "*.htm"}, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly)) {
            const QString text = QString::fromUtf8(file.readAll());
            if (text.contains("kvx.KB('move'"))
                script = text;
        }
    }
    ASSERT_FALSE(script.isEmpty()) << "no published screen pans its picture";
    EXPECT_TRUE(script.contains(QRegularExpression("'seq':\\[\\[\\d+,\\d+,2\\],1.5,\\[\\d+,\\d+,2\\],1.5,\\[\\d+,\\d+,2\\]\\]")))
        << qPrintable(script.left(2000));

    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.start("python3", {QStringLiteral(CORV_SOURCE_DIR "/tests/app/ui/check_published_pan.py"), published,
                            QStringLiteral(CORV_BUILD_TEST_DIR "/published-courses/ken-burns-pan.png")});
    ASSERT_TRUE(check.waitForFinished(120000));
    const QString output = QString::fromUtf8(check.readAll());
    if (check.exitCode() == 77)
        GTEST_SKIP() << qPrintable(output);
    EXPECT_EQ(check.exitCode(), 0) << qPrintable(output);
}
