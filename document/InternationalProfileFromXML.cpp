#include "document/InternationalProfileFromXML.h"

#include "model/GlobalHelpers.h"
#include "platform/SafeFileWriter.h"
#include "platform/XmlElementReader.h"

#include <QFile>

#include <algorithm>
#include <climits>

namespace {

// Profiles are a few hundred small items; anything far larger is not a profile.
constexpr qint64 kMaxProfileBytes = 16 * 1024 * 1024;

using CorvXmlElementReader::Attribute;

// Builds the profile from the reader's events as the profile's handler does: one entry per open element,
// text gathered only while the innermost element is one whose text is kept and no child has started.
class ProfileBuilder
{
public:
    void Start(_xmlTextReader *reader, const QString &name)
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
        // Line breaks are kept as the program has always held them: CR LF (CDATA sections keep the file's own
        // line ends, so a profile edited on Windows holds CR LF there already).
        const QString text = CorvXmlElementReader::WithCrLf(closed.text);
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

    void StartItem(_xmlTextReader *reader)
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
    ProfileBuilder builder;
    QString reason;
    const bool read = CorvXmlElementReader::Read(
        bytes, "profile.kvp",
        {[&](_xmlTextReader *reader, const QString &name) { builder.Start(reader, name); },
         [&](const QString &text) { builder.Text(text); }, [&] { builder.End(); }},
        &reason);
    std::unique_ptr<InternationalProfileFromXML> profile = builder.Take();
    if (!read || !profile) {
        if (errorText)
            *errorText = !read ? reason : QStringLiteral("The file holds no international profile.");
        return nullptr;
    }
    return profile;
}
