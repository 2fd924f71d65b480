#include "platform/CorvContext.h"

#include "CorvVersion.h"

#include <QCoreApplication>
#include <QStandardPaths>

CCorvContext &CCorvContext::Instance()
{
    static CCorvContext context;
    return context;
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
