#include "slideexport/SlideRenderer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QUrl>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>
#include <unistd.h>

#include <map>

namespace {

// The helpers run in a process group of their own, so that when this program is asked to stop (the author
// cancelled the import) the whole group, LibreOffice's own children included, ends with it.
volatile sig_atomic_t g_helperGroup = 0;

void StopHelpers(int)
{
    if (g_helperGroup > 0)
        kill(-pid_t(g_helperGroup), SIGKILL);
    _exit(1);
}

struct Step
{
    bool ok = false;
    QString detail;
};

Step RunStep(const QString &program, const QStringList &arguments, const QString &what)
{
    static bool handlerSet = false;
    if (!handlerSet) {
        std::signal(SIGTERM, StopHelpers);
        std::signal(SIGINT, StopHelpers);
        handlerSet = true;
    }
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setChildProcessModifier([] { setpgid(0, 0); });
    process.start();
    if (!process.waitForStarted(-1))
        return {false, QStringLiteral("%1 (%2) could not be started; is it installed?").arg(what, program)};
    g_helperGroup = sig_atomic_t(process.processId());
    process.waitForFinished(-1);
    g_helperGroup = 0;
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        QString detail = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        if (detail.isEmpty())
            detail = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
        return {false, QStringLiteral("%1 ended with status %2%3")
                           .arg(what)
                           .arg(process.exitCode())
                           .arg(detail.isEmpty() ? QString() : QStringLiteral(": ") + detail)};
    }
    return {true, {}};
}

} // namespace

QString CSlideRenderer::SlideFileName(int n)
{
    return QStringLiteral("Slide%1.png").arg(n);
}

bool CSlideRenderer::Render(const QString &presentationPath, const QString &outputFolder, QString *error)
{
    m_written.clear();
    const auto fail = [&](const QString &reason) {
        *error = QStringLiteral("The presentation \"%1\" could not be converted to pictures: %2")
                     .arg(presentationPath, reason);
        for (const QString &file : std::as_const(m_written))
            QFile::remove(file);
        m_written.clear();
        return false;
    };
    const QFileInfo source(presentationPath);
    if (!source.isFile())
        return fail(QStringLiteral("the file does not exist."));
    if (!QDir().mkpath(outputFolder))
        return fail(QStringLiteral("the folder \"%1\" could not be made.").arg(outputFolder));
    QTemporaryDir work(QDir(QDir::tempPath()).filePath(QStringLiteral("pictoslate-XXXXXX")));
    if (!work.isValid())
        return fail(QStringLiteral("no temporary folder could be made."));
    // The converter names its output after its input: a fixed name keeps odd file names out of its way.
    const QString copy = QDir(work.path()).filePath(QStringLiteral("slides.") + source.suffix().toLower());
    if (!QFile::copy(presentationPath, copy))
        return fail(QStringLiteral("it could not be read."));
    const QString profile = QUrl::fromLocalFile(QDir(work.path()).filePath(QStringLiteral("profile"))).toString();
    Step step = RunStep(office,
                        {QStringLiteral("-env:UserInstallation=") + profile, QStringLiteral("--headless"),
                         QStringLiteral("--norestore"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                         QStringLiteral("--outdir"), work.path(), copy},
                        QStringLiteral("LibreOffice"));
    const QString pdf = QDir(work.path()).filePath(QStringLiteral("slides.pdf"));
    if (!step.ok)
        return fail(step.detail);
    if (!QFileInfo(pdf).isFile() || QFileInfo(pdf).size() == 0)
        return fail(QStringLiteral("LibreOffice could not read it as a presentation."));

    // Pages at the screen's height; a slide wider than the screen's proportions is brought down to its width.
    const QString prefix = QDir(work.path()).filePath(QStringLiteral("page"));
    step = RunStep(pdfToPng,
                   {QStringLiteral("-png"), QStringLiteral("-scale-to-x"), QStringLiteral("-1"), QStringLiteral("-scale-to-y"),
                    QString::number(kScreenHeight), pdf, prefix},
                   QStringLiteral("pdftoppm"));
    if (!step.ok)
        return fail(step.detail);
    std::map<int, QString> pages;
    static const QRegularExpression pageName(QStringLiteral("^page-(\\d+)\\.png$"));
    for (const QString &name : QDir(work.path()).entryList({QStringLiteral("page-*.png")}, QDir::Files)) {
        const QRegularExpressionMatch m = pageName.match(name);
        if (m.hasMatch())
            pages[m.captured(1).toInt()] = QDir(work.path()).filePath(name);
    }
    if (pages.empty())
        return fail(QStringLiteral("it holds no slide."));
    for (const auto &[number, path] : pages) {
        QImage page(path);
        if (page.isNull())
            return fail(QStringLiteral("slide %1 could not be drawn.").arg(number));
        if (page.width() > kScreenWidth || page.height() > kScreenHeight)
            page = page.scaled(kScreenWidth, kScreenHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        const QString target = QDir(outputFolder).filePath(SlideFileName(number));
        m_written.append(target);
        if (!page.save(target, "PNG"))
            return fail(QStringLiteral("\"%1\" could not be written.").arg(target));
    }
    return true;
}
