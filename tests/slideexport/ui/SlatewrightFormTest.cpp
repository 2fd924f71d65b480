// The slide exporter's form as a user meets it: the example paths, Run exporting what the boxes name, and the
// message after every run.
#include "slideexport/ui/SlatewrightForm.h"
#include "support/TempTree.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Notes the text of each message box the form shows and closes it, for as long as it lives.
struct MessageWatch
{
    QStringList texts;
    QTimer timer;
    MessageWatch()
    {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->accept();
            }
        });
        timer.start();
    }
};

} // namespace

// Guards the form left out or exporting only once: each press of Run exports the presentation named in the
// box into the folder named in the other and says "done"; a presentation that cannot be read says why.
TEST(SlatewrightForm, RunExportsEachTimeItIsPressed)
{
    TempTree tree;
    CSlatewrightForm form;
    form.show();
    EXPECT_TRUE(form.PresentationBox()->text().endsWith(".pptx"));
    EXPECT_FALSE(form.OutputFolderBox()->text().isEmpty());
    EXPECT_EQ(form.windowTitle(), "Slatewright");

    MessageWatch watch;
    const QString out = tree.MakeFolder("out");
    form.PresentationBox()->setText(QStringLiteral(CORV_FIXTURES "/pptx/three slides.pptx"));
    form.OutputFolderBox()->setText(out);
    for (int run = 1; run <= 2; ++run) {
        QFile::remove(out + "/slides.export.xml");
        QTest::mouseClick(form.RunButton(), Qt::LeftButton);
        EXPECT_TRUE(QFile::exists(out + "/slides.export.xml")) << "run " << run;
        EXPECT_EQ(watch.texts.size(), run);
    }
    EXPECT_EQ(watch.texts, QStringList({"done", "done"}));

    form.PresentationBox()->setText(tree / "missing.pptx");
    QTest::keyClick(form.PresentationBox(), Qt::Key_Return);
    ASSERT_EQ(watch.texts.size(), 3);
    EXPECT_NE(watch.texts.back(), "done");
    EXPECT_TRUE(watch.texts.back().contains("missing.pptx")) << watch.texts.back().toStdString();
}

int main(int argc, char **argv)
{
    QStandardPaths::setTestModeEnabled(true);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
