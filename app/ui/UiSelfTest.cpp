#include "app/ui/UiSelfTest.h"

#include "app/CommandIds.h"
#include "app/ui/CorvessaApp.h"
#include "app/ui/MainFrame.h"
#include "app/ui/PublishCommandsView.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace CorvUiSelfTest {

namespace {

struct Run {
    CCorvessaApp &app;
    QString folder;
    QStringList log;
    int step = 0;
};

void Shoot(Run &run, const QString &name)
{
    CMainFrame *frame = run.app.MainFrame();
    QPixmap picture;
    if (QScreen *screen = frame->screen())
        picture = screen->grabWindow(frame->winId());
    if (picture.isNull())
        picture = frame->grab();
    const QString file = QDir(run.folder).filePath(name + QStringLiteral(".png"));
    const QWidget *view = run.app.CurrentView();
    run.log.append(QStringLiteral("%1 view=%2 %3 edit-bar=%4 formatting-bar=%5 picture=%6x%7 saved=%8")
                       .arg(name)
                       .arg(run.app.CurrentViewIndex())
                       .arg(view ? view->objectName() : QStringLiteral("none"))
                       .arg(frame->EditBar()->isVisible())
                       .arg(frame->FormattingBar()->isVisible())
                       .arg(picture.width())
                       .arg(picture.height())
                       .arg(picture.save(file)));
}

void Next(Run *run)
{
    static const char *names[] = {"settings", "import", "edit", "publish"};
    CMainFrame *frame = run->app.MainFrame();
    if (run->step < 4) {
        if (run->step > 0)
            frame->Action(CorvCommand::WindowSettings + run->step)->trigger();
        const int step = run->step++;
        // Let the window system paint the view before its picture is taken.
        QTimer::singleShot(400, frame, [run, step] {
            Shoot(*run, QString::fromLatin1(names[step]));
            Next(run);
        });
        return;
    }
    if (run->step == 4) {
        // The Publish window once more, with the description of a kind shown as the mouse rests on its button.
        ++run->step;
        QToolButton *lms = run->app.PublishView()->Button(CPublishCommandsView::Lms);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(lms, &enter);
        QTimer::singleShot(400, frame, [run, lms] {
            Shoot(*run, QStringLiteral("publish-hover"));
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(lms, &leave);
            Next(run);
        });
        return;
    }
    frame->Action(CorvCommand::WindowSettings)->trigger();
    run->log.append(QStringLiteral("back view=%1").arg(run->app.CurrentViewIndex()));
    QFile out(QDir(run->folder).filePath(QStringLiteral("selftest.txt")));
    if (out.open(QIODevice::WriteOnly))
        out.write(run->log.join(u'\n').toUtf8() + '\n');
    delete run;
    frame->close();
}

} // namespace

bool ScheduleFromEnvironment(CCorvessaApp &app)
{
    const QString folder = qEnvironmentVariable(kVariable);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return false;
    auto *run = new Run{app, folder, {}, 0};
    QTimer::singleShot(600, app.MainFrame(), [run] { Next(run); });
    return true;
}

} // namespace CorvUiSelfTest
