#include "model/AutoBackupSetting.h"

#include "platform/CorvContext.h"
#include "platform/PathUtil.h"
#include "platform/SafeFileWriter.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

void CAutoBackupSetting::Load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QStringList words = QString::fromLatin1(file.read(4096)).split(QRegularExpression(QStringLiteral("\\s+")),
                                                                        Qt::SkipEmptyParts);
    int *const values[] = {&BackupOnSave, &LimitBackups, &BackupLimit};
    // Read as the format reads: in order, stopping at the first value that is not a number.
    for (int i = 0; i < 3 && i < words.size(); ++i) {
        bool ok = false;
        const int v = words[i].toInt(&ok);
        if (!ok)
            break;
        *values[i] = v;
    }
    if (BackupLimit < kMinimumBackupLimit)
        BackupLimit = kMinimumBackupLimit;
}

bool CAutoBackupSetting::Confirm(const QString &path)
{
    if (BackupLimit < kMinimumBackupLimit)
        BackupLimit = kMinimumBackupLimit;
    return CSafeFileWriter::WriteFile(
               path, QStringLiteral("%1\n%2\n%3").arg(BackupOnSave).arg(LimitBackups).arg(BackupLimit).toLatin1())
        .Ok();
}

QString CAutoBackupSetting::DefaultPath(const CCorvContext &context)
{
    return CorvPath::Join(context.appDataFolder, QStringLiteral("dovar.txt"));
}
