#include "publish/ScormManifest.h"

#include "document/CourseSettings.h"
#include "platform/Escape.h"
#include "platform/FileSystemUtil.h"
#include "platform/PathUtil.h"
#include "platform/StringTable.h"
#include "publish/PublishText.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kVendorCompatibility = 10689;

const QString kCpRoot12 = QStringLiteral("http://www.imsproject.org/xsd/imscp_rootv1p1p2");
const QString kMdRoot12 = QStringLiteral("http://www.imsglobal.org/xsd/imsmd_rootv1p2p1");
const QString kAdlcp12 = QStringLiteral("http://www.adlnet.org/xsd/adlcp_rootv1p2");
const QString kCp2004 = QStringLiteral("http://www.imsglobal.org/xsd/imscp_v1p1");
const QString kAdlcp2004 = QStringLiteral("http://www.adlnet.org/xsd/adlcp_v1p3");
const QString kLom = QStringLiteral("http://ltsc.ieee.org/xsd/LOM");
const QString kXsi = QStringLiteral("http://www.w3.org/2001/XMLSchema-instance");
const QString kVendor = QStringLiteral("http://www.click2learn.com/xsd/c2l_cp_rootv1p1");

// One line of the manifest: its indentation, its text ("%1" the value where one goes) and whether only
// the vendor extension writes it.
struct Line {
    const char *indent;
    QString text;
    bool vendorOnly = false;
};

const std::vector<Line> &Head12()
{
    static const std::vector<Line> lines = {
        {"", QStringLiteral("<?xml version=\"1.0\" ?>")},
        {"", QStringLiteral("<!-- Created by Zerandt Corvessa version 4 -->")},
        {"", QStringLiteral("<manifest identifier=\"%1\" version=\"1.2\"")},
        {"", "xmlns=\"" + kCpRoot12 + "\""},
        {"", "xmlns:imsmd=\"" + kMdRoot12 + "\""},
        {"", "xmlns:adlcp=\"" + kAdlcp12 + "\""},
        {"", "xmlns:xsi=\"" + kXsi + "\""},
        {"", "xmlns:c2lcp=\"" + kVendor + "\"", true},
        // Only the schemas the package carries are named: the vendor's own schema is not ours to ship.
        {"", "xsi:schemaLocation=\"" + kCpRoot12 + " imscp_rootv1p1p2.xsd"},
        {"\t\t\t\t\t", kMdRoot12 + " imsmd_rootv1p2p1.xsd"},
        {"\t\t\t\t\t", kAdlcp12 + " adlcp_rootv1p2.xsd\">"},
        {"    ", QStringLiteral("<metadata>")},
        {"        ", QStringLiteral("<schema>ADL SCORM</schema>")},
        {"        ", QStringLiteral("<schemaversion>1.2</schemaversion>")},
        {"        ", QStringLiteral("<adlcp:location>kv_metadata.xml</adlcp:location>")},
        {"    ", QStringLiteral("</metadata>")},
        {"    ", QStringLiteral("<organizations default=\"organization01\">")},
        {"        ", QStringLiteral("<organization identifier=\"organization01\">")},
    };
    return lines;
}

const std::vector<Line> &Head2004()
{
    static const std::vector<Line> lines = {
        {"", QStringLiteral("<?xml version=\"1.0\" standalone=\"no\" ?>")},
        {"", QStringLiteral("<!-- Created by Zerandt Corvessa version 4 -->")},
        {"", "<manifest identifier=\"%1\" version=\"2004\" xmlns=\"" + kCp2004 + "\""},
        {"    ", "xmlns:adlcp=\"" + kAdlcp2004 + "\" xmlns:xsi=\"" + kXsi + "\""},
        {"\t\t", "xmlns:c2lcp=\"" + kVendor + "\"", true},
        // Only the schemas the package carries are named: neither the IEEE LOM schema nor the vendor's is
        // in the schema package the program ships.
        {"    ", "xmlns:lom=\"" + kLom + "\" xsi:schemaLocation=\"" + kCp2004 + " imscp_v1p1.xsd"},
        {"               ", kAdlcp2004 + " adlcp_v1p3.xsd\">"},
        {"\t", QStringLiteral("<metadata>")},
        {"\t\t", QStringLiteral("<schema>ADL SCORM</schema>")},
        {"\t\t", QStringLiteral("<schemaversion>2004 4th Edition</schemaversion>")},
        {"\t\t", QStringLiteral("<adlcp:location>kv_metadata.xml</adlcp:location>")},
        {"\t", QStringLiteral("</metadata>")},
        {"\t", QStringLiteral("<organizations default=\"organization01\">")},
        {"\t\t", QStringLiteral("<organization identifier=\"organization01\">")},
    };
    return lines;
}

const std::vector<Line> &VendorBlock()
{
    static const std::vector<Line> lines = {
        {"", QStringLiteral("<c2lcp:ItemDataExtra>")},
        {"", QStringLiteral("<c2lcp:ItemData Identifier=\"sumtotal_extension_manifest\" Type=\"Course\">")},
        {"", QStringLiteral("<c2lcp:ItemSpecificData>")},
        {"", QStringLiteral("<c2lcp:CourseData>")},
        {"", QStringLiteral("<c2lcp:PackageProperties>")},
        {"", QStringLiteral("<c2lcp:CourseDisplay>")},
        {"", QStringLiteral("<c2lcp:TOC>no</c2lcp:TOC>")},
        {"", QStringLiteral("<c2lcp:ShowNavBar>no</c2lcp:ShowNavBar>")},
        {"", QStringLiteral("</c2lcp:CourseDisplay>")},
        {"", QStringLiteral("<c2lcp:Launch>")},
        {"", QStringLiteral("<c2lcp:Width>1008</c2lcp:Width>")},
        {"", QStringLiteral("<c2lcp:Height>680</c2lcp:Height>")},
        {"", QStringLiteral("<c2lcp:AllowResize>yes</c2lcp:AllowResize>")},
        {"", QStringLiteral("</c2lcp:Launch>")},
        {"", QStringLiteral("</c2lcp:PackageProperties>")},
        {"", QStringLiteral("</c2lcp:CourseData>")},
        {"", QStringLiteral("</c2lcp:ItemSpecificData>")},
        {"", QStringLiteral("</c2lcp:ItemData>")},
        {"", QStringLiteral("</c2lcp:ItemDataExtra>")},
    };
    return lines;
}

// The folders whose files the shared resource lists, in order: the folder's href, the name pattern and the
// indentation of its lines in each edition.
struct Scan {
    const char *folder;
    const char *pattern;
    const char *indent12;
    const char *indent2004;
};

constexpr const char *k10 = "          ";
constexpr const char *k12 = "            ";

constexpr Scan kScans[] = {
    {"content", "*.htm", k10, k10},
    {"content/images", "*.*", k10, k12},
    {"content/images/questions", "*.*", k10, k10},
    {"content/media", "*.*", k10, k12},
    {"content/scripts", "*.*", k10, k12},
    {"content/scripts/pics", "*.*", k10, k12},
    {"content/scripts/pics/tree", "*.*", k10, k10},
};

// The launch page an LMS opens in its own window; the other start page is never listed by the scan.
const QString kLaunchPage = QStringLiteral("ind.htm");

// The kind of an entry as the listing gave it (no further look at the disk where the file system says):
// a link is neither file nor folder here.
bool IsRegularFile(const fs::directory_entry &entry)
{
    std::error_code ec;
    return !entry.is_symlink(ec) && !ec && entry.is_regular_file(ec) && !ec;
}

bool IsRealFolder(const fs::directory_entry &entry)
{
    std::error_code ec;
    return !entry.is_symlink(ec) && !ec && entry.is_directory(ec) && !ec;
}

bool NameLess(const QString &a, const QString &b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

// Whether one of the scans lists the file at content-relative folder `folder` with name `name`.
bool ScannedOrLaunchPage(const QString &folder, const QString &name)
{
    if (folder == u"content" && name == kLaunchPage)
        return true;
    for (const Scan &scan : kScans)
        if (folder == QLatin1String(scan.folder))
            return CorvFs::MatchesWildcard(name, QLatin1String(scan.pattern));
    return false;
}

// The file lines of every file below content/ that no scan lists (in folders the scans do not read, or
// beside the pages without their extension), in name order. Without them the package would carry files
// its manifest does not name.
void CollectUnscanned(const QString &outputFolder, const QString &relative, QStringList &lines)
{
    std::error_code ec;
    // Each name is taken once, not again at every comparison of the sort: content/ holds a file per screen.
    std::vector<std::pair<QString, fs::directory_entry>> entries;
    for (fs::directory_iterator it(CorvFs::ToFsPath(CorvPath::Join(outputFolder, relative)), ec), end;
         !ec && it != end; it.increment(ec))
        entries.emplace_back(CorvFs::NameOf(it->path()), *it);
    std::sort(entries.begin(), entries.end(),
              [](const auto &a, const auto &b) { return NameLess(a.first, b.first); });
    for (const auto &[name, entry] : entries) {
        if (IsRealFolder(entry))
            CollectUnscanned(outputFolder, relative + u'/' + name, lines);
        else if (IsRegularFile(entry) && !ScannedOrLaunchPage(relative, name))
            lines.append(CScormManifest::FileLine(relative, name));
    }
}

QString Indented(const char *indent, const QString &text) { return QLatin1String(indent) + text + u'\n'; }

void AppendLines(QString &out, const std::vector<Line> &lines, bool vendor, const QString &identifier)
{
    for (const Line &line : lines) {
        if (line.vendorOnly && !vendor)
            continue;
        QString text = line.text;
        if (text.contains(QStringLiteral("%1")))
            text = text.arg(identifier);
        out += Indented(line.indent, text);
    }
}

// The SCORM 1.2 content-packaging schema allows a title of at most 200 characters; the 2004 schema sets no
// limit. A longer course name is cut there, never inside a character, and written without blanks around it,
// so that the title an LMS shows is the text itself.
constexpr qsizetype kScorm12TitleLength = 200;

QString TitleLine(const QString &title, bool scorm12)
{
    const QString text = CorvEscape::XmlChars(title, scorm12 ? kScorm12TitleLength : -1);
    return "<title><![CDATA[" + CorvEscape::XmlCData(text) + "]]></title>";
}

void AppendOrganization(QString &out, const CScormManifest::Settings &s)
{
    // An LMS shows these titles as the course's name: without metadata titles it is the course's own name.
    const auto titled = [&](const QString &title, const QString &fallback) {
        return !title.isEmpty() ? title : !s.courseName.isEmpty() ? s.courseName : fallback;
    };
    const QString organization = titled(s.organizationTitle, QStringLiteral("title"));
    const QString item = titled(s.itemTitle, QStringLiteral("Item title"));
    out += Indented("        ", TitleLine(organization, s.scorm12));
    out += Indented("        ", QStringLiteral("<item identifier=\"item01\" isvisible=\"true\" identifierref=\"resource01\">"));
    out += Indented("            ", TitleLine(item, s.scorm12));
    out += Indented(s.scorm12 ? "        " : "\t\t\t", QStringLiteral("</item>"));
    out += Indented(s.scorm12 ? "        " : "\t\t", QStringLiteral("</organization>"));
    out += Indented(s.scorm12 ? "    " : "\t", QStringLiteral("</organizations>"));
    out += Indented("    ", QStringLiteral("<resources>"));
}

void AppendResources(QString &out, const CScormManifest::Settings &s)
{
    const QString type = s.scorm12 ? QStringLiteral("adlcp:scormtype") : QStringLiteral("adlcp:scormType");
    const QString sco = s.opensNewWindow ? "content/" + kLaunchPage : QStringLiteral("index.htm");
    out += Indented("        ", "<resource identifier=\"resource01\" type=\"webcontent\" " + type + "=\"sco\" href=\"" + sco + "\">");
    out += Indented("          ", "<file href=\"" + sco + "\" />");
    out += Indented("            ", QStringLiteral("<dependency identifierref=\"sharedfiles\"/>"));
    out += Indented("        ", QStringLiteral("</resource>"));
    out += Indented("        ", "<resource identifier=\"sharedfiles\" type=\"webcontent\" " + type + "=\"asset\">");
    if (!s.opensNewWindow)
        out += Indented("            ", CScormManifest::FileLine(QStringLiteral("content"), kLaunchPage));
}

void AppendFileLists(QString &out, const CScormManifest::Settings &s, const QString &outputFolder)
{
    for (const Scan &scan : kScans) {
        const QString folder = QLatin1String(scan.folder);
        for (const QString &name : CScormManifest::FolderFiles(CorvPath::Join(outputFolder, folder), QLatin1String(scan.pattern))) {
            if (folder == u"content" && name == kLaunchPage)
                continue;
            out += Indented(s.scorm12 ? scan.indent12 : scan.indent2004, CScormManifest::FileLine(folder, name));
        }
    }
    QStringList unscanned;
    CollectUnscanned(outputFolder, QStringLiteral("content"), unscanned);
    for (const QString &line : unscanned)
        out += Indented(k10, line);
    out += Indented("        ", QStringLiteral("</resource>"));
    out += Indented("    ", QStringLiteral("</resources>"));
}

} // namespace

CScormManifest::Settings CScormManifest::FromCourse(const CCourseSettings &course)
{
    Settings s;
    s.courseCode = course.CourseCode;
    s.scorm12 = course.SCORM12 == 1;
    s.vendorExtension = course.LmsCompatibility == CStringTable::Load(kVendorCompatibility);
    s.opensNewWindow = course.LmsOpensNewWindow != 0;
    s.organizationTitle = course.LomOrganizationTitle;
    s.itemTitle = course.LomItemTitle;
    s.courseName = course.CourseName;
    return s;
}

QString CScormManifest::Identifier(const QString &courseCode, bool scorm12)
{
    QString id;
    // ASCII only: any other letter or digit would not be accepted in an identifier by every LMS.
    for (const QChar c : courseCode)
        if (IsAsciiLetter(c) || (c >= u'0' && c <= u'9'))
            id += c;
    if (!id.isEmpty() && !IsAsciiLetter(id[0]))
        id.prepend(u'M');
    if (id.isEmpty())
        id = scorm12 ? QStringLiteral("M") : QStringLiteral("ManifestID");
    return id;
}

QString CScormManifest::Build(const Settings &settings, const QString &outputFolder)
{
    QString out;
    AppendLines(out, settings.scorm12 ? Head12() : Head2004(), settings.vendorExtension,
                Identifier(settings.courseCode, settings.scorm12));
    AppendOrganization(out, settings);
    AppendResources(out, settings);
    AppendFileLists(out, settings, outputFolder);
    if (settings.vendorExtension)
        AppendLines(out, VendorBlock(), true, QString());
    out += QStringLiteral("</manifest>\n");
    return out;
}

QString CScormManifest::FileLine(const QString &folderHref, const QString &name)
{
    QString href;
    for (const QString &part : folderHref.split(u'/', Qt::SkipEmptyParts))
        href += CorvEscape::XmlAttribute(part) + u'/';
    return "<file href=\"" + href + CorvEscape::XmlAttribute(name) + "\" />";
}

QStringList CScormManifest::FolderFiles(const QString &folder, const QString &pattern)
{
    QStringList names;
    std::error_code ec;
    for (fs::directory_iterator it(CorvFs::ToFsPath(folder), ec), end; !ec && it != end; it.increment(ec)) {
        const QString name = CorvFs::NameOf(it->path());
        if (IsRegularFile(*it) && CorvFs::MatchesWildcard(name, pattern))
            names.append(name);
    }
    std::sort(names.begin(), names.end(), NameLess);
    return names;
}
