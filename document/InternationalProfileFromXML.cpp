#include "document/InternationalProfileFromXML.h"

#include "model/GlobalHelpers.h"
#include "platform/SafeFileWriter.h"

#include <QFile>

#include <libxml/xmlreader.h>

#include <algorithm>
#include <climits>

namespace {

// Profiles are a few hundred small items; anything far larger is not a profile.
constexpr qint64 kMaxProfileBytes = 16 * 1024 * 1024;

QString FromXml(const xmlChar *text) { return text ? QString::fromUtf8(reinterpret_cast<const char *>(text)) : QString(); }

QString Attribute(xmlTextReaderPtr reader, const char *name, const QString &fallback)
{
    xmlChar *value = xmlTextReaderGetAttribute(reader, BAD_CAST name);
    if (!value)
        return fallback;
    const QString text = FromXml(value);
    xmlFree(value);
    return text;
}

// Builds the profile from the reader's events as the profile's handler does: one entry per open element,
// text gathered only while the innermost element is one whose text is kept and no child has started.
class ProfileBuilder
{
public:
    void Start(xmlTextReaderPtr reader, const QString &name)
    {
        m_collecting = false;
        m_open.push_back({name, {}});
        if (name == u"internationalisation") {
            if (!m_profile)
                m_profile = std::make_unique<InternationalProfileFromXML>();
            m_profile->version = Attribute(reader, "kvver", QStringLiteral("0.000"));
            m_currentBase = QStringLiteral("kvxPrefs.str");
        } else if (name == u"item") {
            StartItem(reader);
        } else if (name == u"file") {
            if (m_item) {
                m_item->files.emplace_back();
                m_fileIndex = qsizetype(m_item->files.size()) - 1;
            }
        } else if (name == u"variable" || name == u"description" || name == u"text" || name == u"publishtype"
                   || name == u"replacestr" || name == u"filename") {
            m_collecting = true;
        }
    }

    void Text(const QString &text)
    {
        if (m_collecting && !m_open.empty())
            m_open.back().text += text;
    }

    void End()
    {
        m_collecting = false;
        if (m_open.empty())
            return;
        const Open closed = m_open.back();
        m_open.pop_back();
        // Line breaks are kept as the program has always held them: CR LF.
        // CDATA sections keep the file's own line ends (a profile edited on Windows holds CR LF there).
        QString text = closed.text;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n').replace(u'\n', QStringLiteral("\r\n"));
        InternationalItemFileFromXML *file = CurrentFile();
        if (closed.name == u"item") {
            m_item = nullptr;
            m_fileIndex = -1;
        } else if (closed.name == u"file") {
            m_fileIndex = -1;
        } else if (closed.name == u"variable") {
            if (m_item)
                m_item->variable = text;
        } else if (closed.name == u"description") {
            if (m_item)
                m_item->description = text;
        } else if (closed.name == u"text") {
            if (m_item)
                m_item->text = text;
        } else if (closed.name == u"publishtype") {
            if (file)
                file->publishType = text;
        } else if (closed.name == u"replacestr") {
            if (file)
                file->replaceString = text;
        } else if (closed.name == u"filename") {
            if (file)
                file->fileName = text;
        }
    }

    std::unique_ptr<InternationalProfileFromXML> Take() { return std::move(m_profile); }

private:
    struct Open {
        QString name;
        QString text;
    };

    void StartItem(xmlTextReaderPtr reader)
    {
        if (!m_profile)
            return; // an item before the root element
        const QString base = Attribute(reader, "basevariable", QString());
        if (m_currentBase.isEmpty() && !base.isEmpty())
            m_currentBase = base;
        InternationalProfileItemFromXML item;
        item.multiline = Attribute(reader, "multiline", QStringLiteral("0")) == u"1" ? 1 : 0;
        item.limit = LeadingInteger(Attribute(reader, "limit", QStringLiteral("0")));
        item.cannotBeNull = Attribute(reader, "cannotbenull", QStringLiteral("0")) == u"1" ? 1 : 0;
        item.baseVariable = base.isEmpty() ? m_currentBase : base;
        m_profile->items.push_back(std::move(item));
        m_item = &m_profile->items.back();
        m_fileIndex = -1;
    }

    InternationalItemFileFromXML *CurrentFile()
    {
        return m_item && m_fileIndex >= 0 ? &m_item->files[std::size_t(m_fileIndex)] : nullptr;
    }

    std::unique_ptr<InternationalProfileFromXML> m_profile;
    std::vector<Open> m_open;
    bool m_collecting = false;
    QString m_currentBase;
    // The item being read; only the profile's last item can be open, so the pointer stays valid until the
    // next item is appended, which closes it first.
    InternationalProfileItemFromXML *m_item = nullptr;
    qsizetype m_fileIndex = -1;
};

// Text outside CDATA, and attribute values.
QString Escaped(const QString &text)
{
    QString out = text.toHtmlEscaped();
    return out.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
}

// A CDATA section cannot hold its own end: "]]>" is split over two sections.
QString Cdata(const QString &text)
{
    QString inner = text;
    inner.replace(QStringLiteral("]]>"), QStringLiteral("]]]]><![CDATA[>"));
    return QStringLiteral("<![CDATA[") + inner + QStringLiteral("]]>");
}

} // namespace

bool InternationalProfileFromXML::WriteProfileFile(const QString &path) const
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n");
    xml += QStringLiteral("<internationalisation kvver=\"%1\">\n").arg(Escaped(version));
    xml += QStringLiteral("\t<basevariable>%1</basevariable>\n").arg(Escaped(baseVariable));
    for (const InternationalProfileItemFromXML &item : items) {
        xml += QStringLiteral("\t<item ");
        if (!item.baseVariable.isEmpty())
            xml += QStringLiteral(" basevariable=\"%1\" ").arg(Escaped(item.baseVariable));
        xml += QStringLiteral("multiline=\"%1\" limit=\"%2\" cannotbenull=\"%3\">\n")
                   .arg(item.multiline ? 1 : 0)
                   .arg(item.limit)
                   .arg(item.cannotBeNull ? 1 : 0);
        xml += QStringLiteral("\t\t<variable>%1</variable>\n").arg(Escaped(item.variable));
        xml += QStringLiteral("\t\t<description>%1</description>\n").arg(Escaped(item.description));
        xml += QStringLiteral("\t\t<text>%1</text>\n").arg(Cdata(item.GetText()));
        if (!item.files.empty()) {
            xml += QStringLiteral("\t\t<files>\n");
            for (const InternationalItemFileFromXML &file : item.files) {
                xml += QStringLiteral("\t\t\t<file>\n");
                xml += QStringLiteral("\t\t\t\t<publishtype>%1</publishtype>\n").arg(Escaped(file.publishType));
                xml += QStringLiteral("\t\t\t\t<replacestr>%1</replacestr>\n").arg(Cdata(file.replaceString));
                xml += QStringLiteral("\t\t\t\t<filename>%1</filename>\n").arg(Escaped(file.fileName));
                xml += QStringLiteral("\t\t\t</file>\n");
            }
            xml += QStringLiteral("\t\t</files>\n");
        }
        xml += QStringLiteral("\t</item>\n");
    }
    xml += QStringLiteral("</internationalisation>\n");

    return CSafeFileWriter::WriteFile(path, QByteArray("\xEF\xBB\xBF") + xml.toUtf8()).Ok();
}

QString InternationalProfileItemFromXML::GetText() const
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    return result;
}

std::unique_ptr<InternationalProfileFromXML> InternationalProfileFromXML::ReadFile(const QString &path,
                                                                                   QString *errorText)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (errorText)
            *errorText = file.errorString();
        return nullptr;
    }
    if (file.size() > kMaxProfileBytes) {
        if (errorText)
            *errorText = QStringLiteral("The file is too large for a profile.");
        return nullptr;
    }
    return ReadBytes(file.readAll(), errorText);
}

std::unique_ptr<InternationalProfileFromXML> InternationalProfileFromXML::ReadBytes(const QByteArray &bytes,
                                                                                    QString *errorText)
{
    // No entity substitution, no DTD loading, no network: the reader reports entity references as nodes,
    // which are skipped.
    xmlTextReaderPtr reader = xmlReaderForMemory(bytes.constData(), int(bytes.size()), "profile.kvp", nullptr,
                                                 XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!reader) {
        if (errorText)
            *errorText = QStringLiteral("The profile could not be read.");
        return nullptr;
    }
    ProfileBuilder builder;
    int status = 0;
    while ((status = xmlTextReaderRead(reader)) == 1) {
        switch (xmlTextReaderNodeType(reader)) {
        case XML_READER_TYPE_ELEMENT: {
            builder.Start(reader, FromXml(xmlTextReaderConstLocalName(reader)).toLower());
            if (xmlTextReaderIsEmptyElement(reader))
                builder.End();
            break;
        }
        case XML_READER_TYPE_END_ELEMENT:
            builder.End();
            break;
        case XML_READER_TYPE_TEXT:
        case XML_READER_TYPE_CDATA:
        case XML_READER_TYPE_WHITESPACE:
        case XML_READER_TYPE_SIGNIFICANT_WHITESPACE:
            builder.Text(FromXml(xmlTextReaderConstValue(reader)));
            break;
        default:
            break;
        }
    }
    QString reason;
    if (status != 0) {
        const xmlError *error = xmlGetLastError();
        reason = error && error->message ? QString::fromUtf8(error->message).trimmed()
                                         : QStringLiteral("The profile is not well-formed XML.");
    }
    xmlFreeTextReader(reader);
    std::unique_ptr<InternationalProfileFromXML> profile = builder.Take();
    if (status != 0 || !profile) {
        if (errorText)
            *errorText = status != 0 ? reason : QStringLiteral("The file holds no international profile.");
        return nullptr;
    }
    return profile;
}
