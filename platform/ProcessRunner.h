#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Runs a helper program hidden and waits for it: an argument list, never a shell command line.
struct CProcessResult
{
    bool started = false;   // the program could be started at all
    bool timedOut = false;  // it was still running at the time limit and was killed
    bool crashed = false;   // it ended by a signal
    bool cancelled = false; // the author stopped it
    int exitCode = -1;
    QByteArray standardOutput;
    QByteArray standardError;

    bool Succeeded() const { return started && !timedOut && !crashed && !cancelled && exitCode == 0; }
};

class CProcessRunner
{
public:
    // timeoutMs < 0 waits for as long as it takes. workingFolder empty: the current folder.
    static CProcessResult Run(const QString &program, const QStringList &arguments, int timeoutMs = -1,
                              const QString &workingFolder = {});
};
