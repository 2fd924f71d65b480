#include "import/WordDocumentReader.h"

#include "import/DocxReader.h"
#include "import/WordTextRules.h"
#include "platform/richtext/RichText.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

constexpr qint64 kMaxTextFile = 64ll << 20;

QByteArray Head(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(8);
}

} // namespace

std::unique_ptr<CWordDocument> CWordDocumentReader::FromText(const QString &text)
{
    auto doc = std::make_unique<CWordDocument>();
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(u'\r', u'\n');
    if (normalised.endsWith(u'\n'))
        normalised.chop(1);
    int position = 0;
    for (const QString &line : normalised.split(u'\n')) {
        CWordDocument::Paragraph p;
        p.text = line + u'\r';
        p.styleName = QStringLiteral("Normal");
        p.start = position;
        p.end = position + int(p.text.size());
        p.wordCount = WordTextRules::CountWords(p.text);
        CWordDocument::Run run;
        run.text = line;
        p.runs.push_back(run);
        position = p.end;
        doc->paragraphs.push_back(std::move(p));
    }
    return doc;
}

CResult<std::unique_ptr<CWordDocument>> CWordDocumentReader::Read(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return CFailure(QStringLiteral("%1 does not exist.").arg(path));
    const QByteArray head = Head(path);
    if (head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return CFailure(QStringLiteral("%1 is a document in the old binary format (.doc), which cannot be read. "
                                       "Save it as a .docx document and import that.").arg(path));
    if (head.startsWith("PK"))
        return CDocxReader::Read(path);
    const QString suffix = info.suffix().toLower();
    if (suffix == u"docx" || suffix == u"doc")
        return CFailure(QStringLiteral("%1 is not a word-processing document, or it is damaged.").arg(path));
    if (info.size() > kMaxTextFile)
        return CFailure(QStringLiteral("%1 is too large to import.").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return CFailure(QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (suffix == u"rtf" || bytes.startsWith("{\\rtf")) {
        CRichText rich;
        rich.SetRtfBytes(bytes);
        return FromText(rich.GetText());
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return FromText(text);
}
