#include "platform/ProcessRunner.h"

#include <QProcess>

CProcessResult CProcessRunner::Run(const QString &program, const QStringList &arguments, int timeoutMs,
                                   const QString &workingFolder)
{
    CProcessResult result;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(-1))
        return result;
    result.started = true;
    if (!process.waitForFinished(timeoutMs < 0 ? -1 : timeoutMs)) {
        if (process.state() != QProcess::NotRunning) {
            result.timedOut = true;
            process.kill();
            process.waitForFinished(-1);
        }
    }
    result.standardOutput = process.readAllStandardOutput();
    result.standardError = process.readAllStandardError();
    result.crashed = !result.timedOut && process.exitStatus() == QProcess::CrashExit;
    result.exitCode = (result.timedOut || result.crashed) ? -1 : process.exitCode();
    return result;
}
