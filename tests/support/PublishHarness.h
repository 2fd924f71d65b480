#pragma once

// What the programs that publish a course for the browser tests share: a context whose prompt answers Yes
// and records every message, and the report of what a publish said.

#include "platform/CorvContext.h"
#include "platform/RecordingPrompt.h"

#include <QString>

#include <cstdio>

struct CPublishHarness {
    CRecordingPrompt prompt;
    CCorvContext context;

    CPublishHarness(const char *programFolder, const QString &work)
    {
        prompt.SetFallback(CPrompt::yes);
        context.prompt = &prompt;
        context.programFolder = QString::fromLocal8Bit(programFolder);
        context.appDataFolder = work + QStringLiteral("/appdata");
    }
    CPublishHarness(const CPublishHarness &) = delete;
    CPublishHarness &operator=(const CPublishHarness &) = delete;

    // Prints every message shown so far, one a line; true when a publish said it completed.
    bool ReportPublish() const
    {
        bool completed = false;
        for (const QString &text : prompt.Texts()) {
            std::printf("message: %s\n", qPrintable(QString(text).replace(u'\n', QStringLiteral(" | "))));
            completed = completed || text.startsWith(QStringLiteral("Publish has completed successfully"));
        }
        return completed;
    }
};
