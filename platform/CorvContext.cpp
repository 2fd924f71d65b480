#include "platform/CorvContext.h"

#include "CorvVersion.h"
#include "platform/Progress.h"
#include "platform/Prompt.h"
#include "platform/QuestionIdCounter.h"
#include "platform/RandomSource.h"

#include <QCoreApplication>
#include <QStandardPaths>

CPrompt &CCorvContext::Prompt() const { return prompt ? *prompt : CPrompt::Plain(); }

CProgress &CCorvContext::Progress() const
{
    static CSilentProgress silent;
    return progress ? *progress : silent;
}

CRandomSource &CCorvContext::Random() const
{
    static CSeededRandom seeded;
    return random ? *random : seeded;
}

CQuestionIdCounter &CCorvContext::QuestionIds() const
{
    static CQuestionIdCounter run;
    return questionIds ? *questionIds : run;
}

const CCorvContext &CCorvContext::Empty()
{
    static const CCorvContext empty;
    return empty;
}

QString CCorvContext::DefaultAppDataFolder(const QString &majorVersion)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Zerandt/Corvessa")
           + majorVersion;
}

void CCorvContext::InitFromEnvironment()
{
    if (QCoreApplication::instance())
        programFolder = QCoreApplication::applicationDirPath();
    majorVersionText = QString::number(CORV_VERSION_MAJOR);
    appDataFolder = DefaultAppDataFolder(majorVersionText);
}
