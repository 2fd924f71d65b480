#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

struct _xmlDoc;
struct _xmlNode;
using xmlDocPtr = _xmlDoc *;
using xmlNodePtr = _xmlNode *;

class COoxmlPackage;

// Namespaces of the parts we read.
namespace OoxmlNs {
inline constexpr const char *kDrawing = "http://schemas.openxmlformats.org/drawingml/2006/main";
inline constexpr const char *kPresentation = "http://schemas.openxmlformats.org/presentationml/2006/main";
inline constexpr const char *kWord = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
inline constexpr const char *kRelationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr const char *kPackageRelationships =
    "http://schemas.openxmlformats.org/package/2006/relationships";
} // namespace OoxmlNs

// Strict Office Open XML names its namespaces and relationship types under "http://purl.oclc.org/ooxml/";
// the parts are otherwise read as the transitional ones, so the readers see one set of names.
namespace OoxmlStrict {
// The transitional name of a Strict namespace or relationship type; the name itself when it is none.
QString Transitional(const QString &uri);
} // namespace OoxmlStrict

// A parsed XML part. Parsing never reaches the network, never loads a DTD and refuses any document type
// declaration (packages have none; an internal subset is how entity bombs come in).
class COoxmlXml
{
public:
    ~COoxmlXml();
    COoxmlXml(const COoxmlXml &) = delete;
    COoxmlXml &operator=(const COoxmlXml &) = delete;

    // Strict namespaces are renamed to their transitional names.
    static std::unique_ptr<COoxmlXml> Parse(const QByteArray &bytes, QString *error);
    // Reads and parses a part of a package; the message names the part.
    static std::unique_ptr<COoxmlXml> ReadPart(const COoxmlPackage &package, const QString &partName,
                                               QString *error);

    xmlNodePtr Root() const;

    // Element helpers; ns nullptr matches any namespace.
    static bool Is(xmlNodePtr node, const char *ns, const char *localName);
    static xmlNodePtr Child(xmlNodePtr parent, const char *ns, const char *localName);
    static std::vector<xmlNodePtr> Children(xmlNodePtr parent, const char *ns = nullptr,
                                            const char *localName = nullptr);
    // A path of children: Path(sp, ns, {"txBody", "bodyPr"}).
    static xmlNodePtr Path(xmlNodePtr parent, const char *ns, std::initializer_list<const char *> names);
    static QString LocalName(xmlNodePtr node);
    static bool HasAttr(xmlNodePtr node, const char *localName, const char *ns = nullptr);
    // An attribute without namespace by default; ns for prefixed ones ("r:embed").
    static QString Attr(xmlNodePtr node, const char *localName, const char *ns = nullptr);
    static long long IntAttr(xmlNodePtr node, const char *localName, long long fallback, bool *present = nullptr);
    // The concatenated text content of an element.
    static QString Text(xmlNodePtr node);

private:
    explicit COoxmlXml(xmlDocPtr doc) : m_doc(doc) {}
    xmlDocPtr m_doc;
};
