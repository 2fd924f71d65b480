#include "publish/CoursePublisher.h"

#include "document/CorvessaDoc.h"
#include "model/GlobalHelpers.h"
#include "publish/ProgramData.h"
#include "publish/PublishFile.h"
#include "publish/ServerConfig.h"

#include <QFile>

namespace {

const QString kProfileGroup = QStringLiteral("kvxprefs.str");
const QString kAspConfig = QStringLiteral("content/include/kv_config.asp");
const QString kPhpConfig = QStringLiteral("content/include/kqconfig.php");

// The messages the server pages show when signing in or registering fails.
CServerConfig::ProfileTexts ServerProfileTexts(const CCoursePublisher &publisher)
{
    return {publisher.GetProfileText(kProfileGroup, QStringLiteral("dberrorsignin")),
            publisher.GetProfileText(kProfileGroup, QStringLiteral("dberrorregister"))};
}

// The template's lines as 8-bit text, each byte the character of its number, without their line ends.
bool ReadLatin1Lines(const QString &path, QStringList &lines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    QList<QByteArray> pieces = bytes.split('\n');
    // The text after the last line feed is a line only when it holds something.
    if (pieces.last().isEmpty())
        pieces.removeLast();
    for (QByteArray &piece : pieces) {
        if (piece.endsWith('\r'))
            piece.chop(1);
        lines.append(QString::fromLatin1(piece));
    }
    return true;
}

} // namespace

bool CCoursePublisher::CreateConfigAsp()
{
    QString text;
    if (!ReadAnsiTextFile(CorvProgramData::Resolve(ProgramFolder(), CServerConfig::kAspTemplate), text))
        return false;
    text = CServerConfig::FillAsp(text, CServerConfig::AspPlaceholders(m_document.Settings(), ServerProfileTexts(*this)));
    return CPublishFile::WriteFile(m_targetFolder, kAspConfig, text, CPublishFile::WithByteOrderMark, &m_lastErrorText);
}

bool CCoursePublisher::CreateKqConfigFile()
{
    QStringList lines;
    if (!ReadLatin1Lines(CorvProgramData::Resolve(ProgramFolder(), CServerConfig::kPhpTemplate), lines))
        return false;
    const CServerConfig::Placeholders placeholders = CServerConfig::PhpPlaceholders(m_document.Settings(), ServerProfileTexts(*this));
    QString text;
    for (const QString &line : lines)
        text += CServerConfig::FillPhpLine(line, placeholders) + u'\n';
    return CPublishFile::WriteFile(m_targetFolder, kPhpConfig, text, CPublishFile::NoByteOrderMark, &m_lastErrorText);
}
