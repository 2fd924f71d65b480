#include "dialogs/ui/DlgLongWait.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

CDlgLongWait::CDlgLongWait() : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("DlgLongWait"));
    setAccessibleName(QStringLiteral("Please wait"));
    auto *layout = new QVBoxLayout(this);
    m_text = new QLabel(this);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setFrameStyle(QFrame::Box | QFrame::Plain);
    layout->addWidget(m_text);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("LongWaitCancel"));
    m_cancel->setAccessibleName(QStringLiteral("Cancel"));
    m_cancel->hide();
    layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
    setFixedSize(330, 85);
}

void CDlgLongWait::SetMessage(const QString &text)
{
    m_message = text;
    if (isVisible())
        Refresh();
}

void CDlgLongWait::CreateModeless()
{
    m_text->setText(m_message);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    repaint();
}

void CDlgLongWait::Refresh()
{
    m_text->setText(m_message);
    m_text->repaint();
}

CProcessResult CDlgLongWait::RunWhileWaiting(const QString &message, const QString &program, const QStringList &arguments)
{
    CProcessResult result;
    CDlgLongWait box;
    box.setFixedSize(360, 130);
    box.setWindowModality(Qt::ApplicationModal);
    box.SetMessage(message);
    box.m_cancel->show();
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    QEventLoop loop;
    bool cancelled = false;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });
    QObject::connect(box.m_cancel, &QPushButton::clicked, &loop, [&] {
        cancelled = true;
        loop.quit();
    });
    box.CreateModeless();
    process.start();
    if (!process.waitForStarted(-1))
        return result;
    result.started = true;
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    if (cancelled && process.state() != QProcess::NotRunning) {
        // A helper asked to stop ends its own helpers; one that does not is ended.
        process.terminate();
        if (!process.waitForFinished(3000)) {
            process.kill();
            process.waitForFinished(-1);
        }
    }
    result.cancelled = cancelled;
    result.standardOutput = process.readAllStandardOutput();
    result.standardError = process.readAllStandardError();
    result.crashed = !cancelled && process.exitStatus() == QProcess::CrashExit;
    result.exitCode = cancelled || result.crashed ? -1 : process.exitCode();
    return result;
}
