#include "document/ContentLibrary.h"

#include "document/CorvessaDoc.h"
#include "document/SingleScreenArchive.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/Escape.h"
#include "platform/PathUtil.h"
#include "platform/Prompt.h"
#include "platform/SafeFileWriter.h"
#include "platform/XmlElementReader.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <climits>

namespace {

// Catalogues list a few hundred items; anything far larger is not a catalogue.
constexpr qint64 kMaxCatalogueBytes = 32 * 1024 * 1024;

const QString kUnreadable = QStringLiteral("Unable to read Library");
const QString kCannotLoad = QStringLiteral("Unable to load library: %1");

QString Cdata(const QString &text) { return QStringLiteral("<![CDATA[") + CorvEscape::XmlCData(text) + QStringLiteral("]]>"); }

void WriteItem(QString &xml, const LibraryItemFromXML &item)
{
    xml += QStringLiteral("\t<libraryitem depth=\"%1\">\n").arg(CorvEscape::XmlAttribute(item.GetDepth()));
    xml += QStringLiteral("\t\t<name>%1</name>\n").arg(Cdata(item.GetName()));
    xml += QStringLiteral("\t\t<pagetype>%1</pagetype>\n").arg(CorvEscape::XmlText(item.GetPageType()));
    xml += QStringLiteral("\t\t<auxiliarypagetype>%1</auxiliarypagetype>\n").arg(CorvEscape::XmlText(item.GetAuxPageType()));
    xml += QStringLiteral("\t\t<description>%1</description>\n").arg(Cdata(item.GetDescription()));
    if (!item.GetItemPath().isEmpty())
        xml += QStringLiteral("\t\t<libraryitempath>%1</libraryitempath>\n").arg(Cdata(item.GetItemPath()));
    for (const auto &child : item.children)
        WriteItem(xml, *child);
    xml += QStringLiteral("\t</libraryitem>\n");
}

// Builds the catalogue from the reader's events: one entry per open element, text kept while the innermost
// element is one whose text counts and no child has started.
class CatalogueBuilder
{
public:
    void Start(_xmlTextReader *reader, const QString &name)
    {
        m_collecting = false;
        m_open.push_back({name, {}});
        if (name == u"library") {
            if (!m_model)
                m_model = std::make_unique<LibraryFromXML>();
        } else if (name == u"libraryitem") {
            if (!m_model)
                return; // an item before the catalogue's own element
            auto item = std::make_unique<LibraryItemFromXML>();
            item->SetDepth(CorvXmlElementReader::Attribute(reader, "depth", QStringLiteral("0")));
            m_items.push_back(item.get());
            m_model->items.push_back(std::move(item));
            ++m_model->itemCounter;
            m_collecting = true;
        } else if (name == u"librarydescription" || name == u"pagetype" || name == u"auxiliarypagetype"
                   || name == u"libraryitempath" || name == u"description" || name == u"name") {
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
        const QString text = CorvXmlElementReader::WithCrLf(closed.text);
        LibraryItemFromXML *item = m_items.empty() ? nullptr : m_items.back();
        if (closed.name == u"libraryitem") {
            if (item)
                m_items.pop_back();
        } else if (closed.name == u"librarydescription") {
            if (m_model)
                m_model->SetDescription(text);
        } else if (!item) {
            return; // item texts outside any item
        } else if (closed.name == u"pagetype") {
            item->SetPageType(text);
        } else if (closed.name == u"auxiliarypagetype") {
            item->SetAuxPageType(text);
        } else if (closed.name == u"libraryitempath") {
            item->SetItemPath(text);
        } else if (closed.name == u"description") {
            item->SetDescription(text);
        } else if (closed.name == u"name") {
            item->SetName(text);
        }
    }

    std::unique_ptr<LibraryFromXML> Take() { return std::move(m_model); }

private:
    struct Open {
        QString name;
        QString text;
    };
    std::unique_ptr<LibraryFromXML> m_model;
    std::vector<Open> m_open;
    // The items open around the reader's position, innermost last (owned by the model).
    std::vector<LibraryItemFromXML *> m_items;
    bool m_collecting = false;
};

} // namespace

// ---- Items ----

void LibraryItemFromXML::SetPageType(const QString &word) { SetPageTypeValue(PageTypeFromString(word)); }

void LibraryItemFromXML::SetPageTypeValue(int pageType)
{
    m_pageType = pageType;
    m_folder = pageType == pt_document || pageType == pt_question || pageType == pt_asmt_document ? 0 : 1;
}

void LibraryItemFromXML::SetAuxPageType(const QString &word) { m_auxPageType = AuxPageTypeFromString(word); }

QString LibraryItemFromXML::GetPageType() const { return PageTypeToString(m_pageType); }

QString LibraryItemFromXML::GetAuxPageType() const { return AuxPageTypeToString(m_auxPageType); }

// ---- The catalogue ----

LibraryItemFromXML *LibraryFromXML::GetItem(int index) const
{
    return index >= 0 && std::size_t(index) < items.size() ? items[std::size_t(index)].get() : nullptr;
}

QByteArray LibraryFromXML::ToBytes() const
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<library>\n");
    xml += QStringLiteral("\t<librarydescription>%1</librarydescription>\n").arg(Cdata(m_description));
    for (const auto &item : items)
        WriteItem(xml, *item);
    xml += QStringLiteral("</library>\n");
    return QByteArray("\xEF\xBB\xBF") + xml.toUtf8();
}

std::unique_ptr<LibraryFromXML> LibraryFromXML::ReadBytes(const QByteArray &bytes, QString *errorText)
{
    const auto fail = [&](const QString &why) -> std::unique_ptr<LibraryFromXML> {
        if (errorText)
            *errorText = why;
        return nullptr;
    };
    CatalogueBuilder builder;
    QString reason;
    if (!CorvXmlElementReader::Read(bytes, "library.kvxl",
                                    {[&](_xmlTextReader *reader, const QString &name) { builder.Start(reader, name); },
                                     [&](const QString &text) { builder.Text(text); }, [&] { builder.End(); }},
                                    &reason))
        return fail(reason);
    std::unique_ptr<LibraryFromXML> model = builder.Take();
    if (!model)
        return fail(QStringLiteral("The file holds no library."));
    return model;
}

// ---- The handle ----

ContentLibrary::ContentLibrary(CCorvessaDoc &document) : m_document(document) {}

ContentLibrary::~ContentLibrary() = default;

int ContentLibrary::ReadLibraryFile(const QString &path)
{
    m_libraryPath = path;
    m_model.reset();
    QString reason;
    QFile file(CorvPath::ResolveNoCase(CorvPath::ToSlashes(path)));
    if (!file.open(QIODevice::ReadOnly))
        reason = file.errorString();
    else if (file.size() > kMaxCatalogueBytes)
        reason = QStringLiteral("The file is too large for a library.");
    else
        m_model = LibraryFromXML::ReadBytes(file.readAll(), &reason);
    if (!m_model) {
        m_document.Prompt().Error(kUnreadable + QStringLiteral("\n\n") + QDir::toNativeSeparators(path)
                                  + QStringLiteral("\n") + reason);
        return 0;
    }
    m_libraryDescription = m_model->GetDescription();
    return 1;
}

bool ContentLibrary::WriteLibraryFile()
{
    if (!m_model)
        return true;
    const CStatus written = CSafeFileWriter::WriteFile(CorvPath::ToSlashes(m_libraryPath), m_model->ToBytes());
    if (!written)
        m_document.Prompt().Error(written.Error());
    return written.Ok();
}

QString ContentLibrary::DefaultItemDescription() const
{
    const QString course = m_document.Settings().CourseName;
    const QDateTime now = QDateTime::fromSecsSinceEpoch(m_document.Now());
    return QStringLiteral("From: %1 - %2")
        .arg(course.isEmpty() ? QStringLiteral("Unnamed course") : course,
             QLocale::c().toString(now, QStringLiteral("dd MMM yyyy HH:mm:ss")));
}

QString ContentLibrary::ItemFilePath(const QString &libraryPath, const QString &storedItemPath)
{
    const QString relative = CorvPath::ToSlashes(storedItemPath);
    if (relative.isEmpty() || relative.startsWith(u'/') || QDir::isAbsolutePath(relative) || relative.contains(u':'))
        return {};
    const QStringList parts = relative.split(u'/', Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.contains(QStringLiteral("..")) || parts.contains(QStringLiteral(".")))
        return {};
    const QString folder = CorvPath::FolderOf(CorvPath::ToSlashes(libraryPath));
    return CorvPath::ResolveNoCase(CorvPath::Join(folder, parts.join(u'/')));
}

int ContentLibrary::AddPageToLibrary(const QString &libraryPath, const QString &libraryDescription, CCorvPage *screen,
                                     const QString &itemName, const QString &itemDescription, const QString &depth,
                                     bool deferWriting)
{
    // A bare name is a file of the current folder.
    QString path = CorvPath::ToSlashes(libraryPath);
    if (!path.contains(u'/'))
        path = QFileInfo(path).absoluteFilePath();
    m_libraryPath = path;
    m_libraryDescription = libraryDescription;
    m_screen = screen;
    m_itemName = itemName;
    m_itemDescription = itemDescription;
    m_depth = depth;
    if (!screen || QFileInfo(path).completeBaseName().isEmpty())
        return 0;
    const QString folder = CorvPath::FolderOf(path);
    const QString base = QFileInfo(path).completeBaseName();

    if (!m_model) {
        if (CanOpenFile(path)) {
            if (!ReadLibraryFile(path)) {
                m_document.Prompt().Error(kCannotLoad.arg(QDir::toNativeSeparators(path)));
                return 0;
            }
            m_libraryPath = path;
            m_libraryDescription = libraryDescription;
        } else {
            m_model = std::make_unique<LibraryFromXML>();
        }
    }

    // The next number whose folder is free and whose path no item names: a catalogue that lost an entry
    // never has a kept item overwritten.
    const QString libraryFolder = CorvPath::Join(folder, base + QStringLiteral("_Library"));
    const auto storedPath = [&](int n) {
        return QStringLiteral("%1_Library\\%1_Item%2\\%1_Item%2.kvl").arg(base).arg(n);
    };
    const auto taken = [&](int n) {
        if (QFileInfo::exists(CorvPath::Join(libraryFolder, QStringLiteral("%1_Item%2").arg(base).arg(n))))
            return true;
        for (const auto &item : m_model->items)
            if (item->GetItemPath().compare(storedPath(n), Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    int number = m_model->itemCounter + 1;
    while (taken(number))
        ++number;

    if (const CStatus made = CreateFolderPath(libraryFolder); !made) {
        m_document.Prompt().Error(made.Error());
        return 0;
    }
    const QString archive = CorvPath::Join(
        {libraryFolder, QStringLiteral("%1_Item%2").arg(base).arg(number), QStringLiteral("%1_Item%2.kvl").arg(base).arg(number)});
    if (!CSingleScreenArchive::SaveScreenArchive(m_document, archive, screen, CSingleScreenArchive::ownFolder))
        return 0;

    m_model->itemCounter = number;
    m_model->SetDescription(libraryDescription);
    auto item = std::make_unique<LibraryItemFromXML>();
    item->SetPageTypeValue(screen->GetPageType());
    item->SetAuxPageTypeValue(screen->GetMenuKind());
    if (m_itemDescription.isEmpty())
        m_itemDescription = DefaultItemDescription();
    item->SetDescription(m_itemDescription);
    item->SetName(itemName);
    item->SetDepth(depth);
    item->SetItemPath(storedPath(number));
    m_model->items.push_back(std::move(item));
    if (!deferWriting && !WriteLibraryFile())
        return 0;
    return 1;
}
