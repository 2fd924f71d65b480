#include "import/DocxReader.h"

#include "import/WordTextRules.h"
#include "platform/ooxml/OoxmlPackage.h"
#include "platform/ooxml/OoxmlXml.h"
#include "platform/ooxml/SymbolFontText.h"

#include <QHash>

#include <algorithm>
#include <cmath>

#include <libxml/tree.h>

#include <optional>

namespace {

const char *const W = OoxmlNs::kWord;
const char *const WP = "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing";
const char *const VML = "urn:schemas-microsoft-com:vml";
constexpr double kEmuPerPixel = 9525.0;   // English metric units per pixel at 96 dpi
// A picture larger than this on the page is shown at this size at most.
constexpr int kMaxPictureSide = 4000;

// The first element below node (node itself included) of that name, depth first.
xmlNodePtr FindElement(xmlNodePtr node, const char *ns, const char *name)
{
    if (!node)
        return nullptr;
    if (node->type == XML_ELEMENT_NODE && COoxmlXml::Is(node, ns, name))
        return node;
    for (xmlNodePtr c = node->children; c; c = c->next)
        if (xmlNodePtr found = FindElement(c, ns, name))
            return found;
    return nullptr;
}

bool IsWrapper(xmlNodePtr node)
{
    return COoxmlXml::Is(node, OoxmlNs::kWord, "sdt") || COoxmlXml::Is(node, OoxmlNs::kWord, "customXml");
}

// The children of a node of the given name, with content controls and custom XML elements read through:
// they may wrap paragraphs and tables, table rows, cells and a cell's content alike. Nothing else of
// theirs (their properties) is content.
void AppendUnwrapped(xmlNodePtr parent, const char *name, std::vector<xmlNodePtr> &out, int depth = 0)
{
    for (xmlNodePtr c = parent ? parent->children : nullptr; c; c = c->next) {
        if (c->type != XML_ELEMENT_NODE)
            continue;
        if (COoxmlXml::Is(c, OoxmlNs::kWord, name)) {
            out.push_back(c);
        } else if (depth < 64 && IsWrapper(c)) {
            xmlNodePtr content = COoxmlXml::Is(c, OoxmlNs::kWord, "sdt") ? COoxmlXml::Child(c, OoxmlNs::kWord, "sdtContent") : c;
            AppendUnwrapped(content, name, out, depth + 1);
        }
    }
}

std::vector<xmlNodePtr> Unwrapped(xmlNodePtr parent, const char *name)
{
    std::vector<xmlNodePtr> out;
    AppendUnwrapped(parent, name, out);
    return out;
}

// The paragraphs and tables of a body or a cell in order, through content controls, custom XML and
// inserted (tracked) blocks.
void AppendBlocks(xmlNodePtr parent, std::vector<xmlNodePtr> &out, int depth = 0)
{
    for (xmlNodePtr c = parent ? parent->children : nullptr; c; c = c->next) {
        if (c->type != XML_ELEMENT_NODE)
            continue;
        if (COoxmlXml::Is(c, OoxmlNs::kWord, "p") || COoxmlXml::Is(c, OoxmlNs::kWord, "tbl"))
            out.push_back(c);
        else if (depth < 64
                 && (IsWrapper(c) || COoxmlXml::Is(c, OoxmlNs::kWord, "sdtContent")
                     || COoxmlXml::Is(c, OoxmlNs::kWord, "ins") || COoxmlXml::Is(c, OoxmlNs::kWord, "moveTo")))
            AppendBlocks(c, out, depth + 1);
    }
}

std::vector<xmlNodePtr> Blocks(xmlNodePtr parent)
{
    std::vector<xmlNodePtr> out;
    AppendBlocks(parent, out);
    return out;
}

// The character of a w:sym element: its code in its font, mapped where the font's table is known.
QChar SymbolCharacter(xmlNodePtr sym)
{
    bool ok = false;
    const uint code = COoxmlXml::Attr(sym, "char", OoxmlNs::kWord).trimmed().toUInt(&ok, 16);
    if (!ok || code > 0xFFFF)
        return {};
    return SymbolFontText::Character(COoxmlXml::Attr(sym, "font", OoxmlNs::kWord), char16_t(code));
}

int PictureSide(double pixels)
{
    return pixels > 0 ? int(std::min<double>(pixels + 0.5, kMaxPictureSide)) : 0;
}

// A length of a VML style ("120pt", "1.5in", "96px") in pixels at 96 dpi; 0 when it cannot be read.
double VmlLength(const QString &style, const QString &property)
{
    for (const QString &entry : style.split(u';')) {
        const qsizetype colon = entry.indexOf(u':');
        if (colon < 0 || entry.left(colon).trimmed().compare(property, Qt::CaseInsensitive) != 0)
            continue;
        QString value = entry.mid(colon + 1).trimmed().toLower();
        double factor = 96.0 / 72.0;
        if (value.endsWith(u"pt")) {
            value.chop(2);
        } else if (value.endsWith(u"in")) {
            value.chop(2);
            factor = 96.0;
        } else if (value.endsWith(u"px")) {
            value.chop(2);
            factor = 1.0;
        }
        bool ok = false;
        const double number = value.toDouble(&ok);
        return ok && number > 0 ? number * factor : 0;
    }
    return 0;
}

QString Val(xmlNodePtr node, const char *name = "val")
{
    return COoxmlXml::Attr(node, name, W);
}

// A number in a w: attribute; fallback when it is missing or not a number.
long long WInt(xmlNodePtr node, const char *name, long long fallback, bool *present = nullptr)
{
    bool ok = false;
    const long long value = Val(node, name).trimmed().toLongLong(&ok);
    if (present)
        *present = ok;
    return ok ? value : fallback;
}

bool IsW(xmlNodePtr node, const char *name)
{
    return COoxmlXml::Is(node, W, name);
}

// An on/off property: present and not switched off.
std::optional<bool> Toggle(xmlNodePtr props, const char *name)
{
    xmlNodePtr node = COoxmlXml::Child(props, W, name);
    if (!node)
        return std::nullopt;
    const QString v = Val(node);
    return !(v == u"0" || v == u"false" || v == u"off" || (QByteArray(name) == "u" && v == u"none"));
}

// Character properties as far as one level of styles or direct formatting sets them.
struct RunProps
{
    std::optional<bool> bold, italic, underline, strike, hidden;
    std::optional<uint32_t> colour;
    std::optional<QString> face;
    std::optional<double> points;
    std::optional<int> vertical;

    void Over(const RunProps &o)
    {
        if (o.bold) bold = o.bold;
        if (o.italic) italic = o.italic;
        if (o.underline) underline = o.underline;
        if (o.strike) strike = o.strike;
        if (o.hidden) hidden = o.hidden;
        if (o.colour) colour = o.colour;
        if (o.face) face = o.face;
        if (o.points) points = o.points;
        if (o.vertical) vertical = o.vertical;
    }
};

RunProps ReadRunProps(xmlNodePtr rPr)
{
    RunProps p;
    if (!rPr)
        return p;
    p.bold = Toggle(rPr, "b");
    p.italic = Toggle(rPr, "i");
    if (xmlNodePtr u = COoxmlXml::Child(rPr, W, "u"))
        p.underline = Val(u) != u"none" && Val(u) != u"0";
    p.strike = Toggle(rPr, "strike");
    if (auto dstrike = Toggle(rPr, "dstrike"); dstrike && *dstrike)
        p.strike = true;
    p.hidden = Toggle(rPr, "vanish");
    if (xmlNodePtr c = COoxmlXml::Child(rPr, W, "color")) {
        const QString v = Val(c);
        bool ok = false;
        const uint rgb = v.toUInt(&ok, 16);
        if (v.compare(u"auto", Qt::CaseInsensitive) == 0 || !ok || v.size() != 6)
            p.colour = CWordDocument::autoColour;
        else
            p.colour = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    }
    if (xmlNodePtr f = COoxmlXml::Child(rPr, W, "rFonts")) {
        QString face = Val(f, "ascii");
        if (face.isEmpty())
            face = Val(f, "hAnsi");
        if (!face.isEmpty())
            p.face = face;
    }
    if (xmlNodePtr s = COoxmlXml::Child(rPr, W, "sz")) {
        bool ok = false;
        const int half = Val(s).toInt(&ok);
        if (ok && half > 0 && half < 32000)
            p.points = half / 2.0;
    }
    if (xmlNodePtr v = COoxmlXml::Child(rPr, W, "vertAlign")) {
        const QString a = Val(v);
        p.vertical = a == u"superscript" ? CWordDocument::raised
                     : a == u"subscript"  ? CWordDocument::lowered
                                          : CWordDocument::baseline;
    }
    return p;
}

struct ParaProps
{
    std::optional<int> alignment;
    std::optional<double> leftIndent;
    std::optional<QString> numId;
    std::optional<int> level;
};

double Twips(const QString &v)
{
    return v.toDouble() / 20.0;
}

ParaProps ReadParaProps(xmlNodePtr pPr)
{
    ParaProps p;
    if (!pPr)
        return p;
    if (xmlNodePtr jc = COoxmlXml::Child(pPr, W, "jc")) {
        const QString a = Val(jc);
        if (a == u"center")
            p.alignment = CWordDocument::alignCenter;
        else if (a == u"right" || a == u"end")
            p.alignment = CWordDocument::alignRight;
        else if (a == u"both" || a == u"justify")
            p.alignment = CWordDocument::alignJustify;
        else if (a == u"distribute")
            p.alignment = 4;
        else
            p.alignment = CWordDocument::alignLeft;
    }
    if (xmlNodePtr ind = COoxmlXml::Child(pPr, W, "ind")) {
        QString left = Val(ind, "left");
        if (left.isEmpty())
            left = Val(ind, "start");
        if (!left.isEmpty())
            p.leftIndent = Twips(left);
    }
    if (xmlNodePtr numPr = COoxmlXml::Child(pPr, W, "numPr")) {
        if (xmlNodePtr id = COoxmlXml::Child(numPr, W, "numId"))
            p.numId = Val(id);
        if (xmlNodePtr lvl = COoxmlXml::Child(numPr, W, "ilvl"))
            p.level = Val(lvl).toInt();
    }
    return p;
}

struct Style
{
    QString name;
    QString basedOn;
    bool paragraphStyle = true;
    ParaProps para;
    RunProps run;
};

struct Level
{
    int listType = CWordDocument::listSimpleNumbering;
    std::optional<double> leftIndent;
};

class Reader
{
public:
    explicit Reader(const COoxmlPackage &package) : m_package(package) {}

    bool Run(CWordDocument &doc, QString &error);

private:
    void ReadStyles(const QString &part);
    void ReadNumbering(const QString &part);
    void ReadRelationships(const QString &part);
    void Block(xmlNodePtr parent, CWordDocument &doc, int table);
    void Table(xmlNodePtr tbl, CWordDocument &doc, int table);
    void Paragraph(xmlNodePtr p, CWordDocument &doc, int table, bool endsCell);
    void Inline(xmlNodePtr node, CWordDocument::Paragraph &para, const RunProps &base, const QString &link);
    void TextRun(xmlNodePtr r, CWordDocument::Paragraph &para, const RunProps &base, const QString &link);
    RunProps StyleRunProps(const QString &id, int depth = 0) const;
    ParaProps StyleParaProps(const QString &id, int depth = 0) const;
    QString CellText(xmlNodePtr tc) const;
    void Picture(xmlNodePtr node, int position);
    int LineHeightPoints() const;

    const COoxmlPackage &m_package;
    QHash<QString, Style> m_styles;
    QString m_defaultParagraphStyle;
    RunProps m_defaults;
    QHash<QString, QString> m_numToAbstract;
    QHash<QString, std::vector<Level>> m_abstract;
    QHash<QString, QString> m_links;
    QHash<QString, QString> m_images;   // relationship id -> media part
    std::vector<CWordDocument::Picture> m_inlinePictures;
    std::vector<CWordDocument::Picture> m_floatingPictures;
    int m_position = 0;
    int m_cellRow = -1;      // the cell of the top-level table being read
    int m_cellColumn = -1;
    // A complex field being read: its instruction and whether its result has begun.
    QString m_fieldInstruction;
    int m_fieldDepth = 0;
    bool m_inFieldResult = false;
    QString m_fieldLink;
};

RunProps Reader::StyleRunProps(const QString &id, int depth) const
{
    RunProps props;
    auto it = m_styles.constFind(id);
    if (it == m_styles.constEnd() || depth > 20)
        return props;
    if (!it->basedOn.isEmpty())
        props = StyleRunProps(it->basedOn, depth + 1);
    props.Over(it->run);
    return props;
}

ParaProps Reader::StyleParaProps(const QString &id, int depth) const
{
    ParaProps props;
    auto it = m_styles.constFind(id);
    if (it == m_styles.constEnd() || depth > 20)
        return props;
    if (!it->basedOn.isEmpty())
        props = StyleParaProps(it->basedOn, depth + 1);
    const ParaProps &own = it->para;
    if (own.alignment) props.alignment = own.alignment;
    if (own.leftIndent) props.leftIndent = own.leftIndent;
    if (own.numId) props.numId = own.numId;
    if (own.level) props.level = own.level;
    return props;
}

void Reader::ReadStyles(const QString &part)
{
    QString ignored;
    auto xml = COoxmlXml::ReadPart(m_package, part, &ignored);
    if (!xml)
        return;
    xmlNodePtr root = xml->Root();
    if (xmlNodePtr defaults = COoxmlXml::Child(root, W, "docDefaults"))
        m_defaults = ReadRunProps(COoxmlXml::Path(defaults, W, {"rPrDefault", "rPr"}));
    for (xmlNodePtr s : COoxmlXml::Children(root, W, "style")) {
        Style style;
        const QString id = Val(s, "styleId");
        const QString type = Val(s, "type");
        style.paragraphStyle = type.isEmpty() || type == u"paragraph";
        QString name = Val(COoxmlXml::Child(s, W, "name"));
        if (name.isEmpty())
            name = id;
        const QString custom = Val(s, "customStyle");
        style.name = (custom == u"1" || custom == u"true") ? name : CDocxReader::BuiltInDisplayName(name);
        style.basedOn = Val(COoxmlXml::Child(s, W, "basedOn"));
        style.para = ReadParaProps(COoxmlXml::Child(s, W, "pPr"));
        style.run = ReadRunProps(COoxmlXml::Child(s, W, "rPr"));
        const QString isDefault = Val(s, "default");
        if (style.paragraphStyle && (isDefault == u"1" || isDefault == u"true"))
            m_defaultParagraphStyle = id;
        m_styles.insert(id, style);
    }
}

void Reader::ReadNumbering(const QString &part)
{
    QString ignored;
    auto xml = COoxmlXml::ReadPart(m_package, part, &ignored);
    if (!xml)
        return;
    xmlNodePtr root = xml->Root();
    for (xmlNodePtr a : COoxmlXml::Children(root, W, "abstractNum")) {
        std::vector<Level> levels(9);
        for (xmlNodePtr l : COoxmlXml::Children(a, W, "lvl")) {
            const int i = Val(l, "ilvl").toInt();
            if (i < 0 || i >= 9)
                continue;
            const QString format = Val(COoxmlXml::Child(l, W, "numFmt"));
            levels[size_t(i)].listType = format == u"bullet" ? CWordDocument::listBullet
                                         : format == u"none" ? CWordDocument::listNumberOnly
                                                             : CWordDocument::listSimpleNumbering;
            levels[size_t(i)].leftIndent = ReadParaProps(COoxmlXml::Child(l, W, "pPr")).leftIndent;
        }
        m_abstract.insert(Val(a, "abstractNumId"), levels);
    }
    for (xmlNodePtr n : COoxmlXml::Children(root, W, "num"))
        m_numToAbstract.insert(Val(n, "numId"), Val(COoxmlXml::Child(n, W, "abstractNumId")));
}

void Reader::ReadRelationships(const QString &part)
{
    for (const COoxmlRelationship &rel : m_package.Relationships(part)) {
        if (rel.type.endsWith(u"/hyperlink"))
            m_links.insert(rel.id, rel.target);
        else if (rel.type.endsWith(u"/image") && !rel.external)
            m_images.insert(rel.id, rel.target);
    }
}

// A drawing, VML picture or embedded object: its media read from the package when the package holds it.
// Pictures linked to files outside the document and drawings without a picture (shapes, charts) are not
// pictures of the document.
void Reader::Picture(xmlNodePtr node, int position)
{
    CWordDocument::Picture picture;
    picture.position = position;
    QString id;
    if (IsW(node, "drawing")) {
        xmlNodePtr frame = COoxmlXml::Child(node, WP, "inline");
        if (!frame) {
            frame = COoxmlXml::Child(node, WP, "anchor");
            picture.floating = frame != nullptr;
        }
        if (!frame)
            return;
        if (xmlNodePtr extent = COoxmlXml::Child(frame, WP, "extent")) {
            picture.width = PictureSide(double(COoxmlXml::IntAttr(extent, "cx", 0)) / kEmuPerPixel);
            picture.height = PictureSide(double(COoxmlXml::IntAttr(extent, "cy", 0)) / kEmuPerPixel);
        }
        id = COoxmlXml::Attr(FindElement(frame, OoxmlNs::kDrawing, "blip"), "embed", OoxmlNs::kRelationships);
    } else {
        xmlNodePtr data = FindElement(node, VML, "imagedata");
        if (!data)
            return;
        id = COoxmlXml::Attr(data, "id", OoxmlNs::kRelationships);
        for (xmlNodePtr shape = data->parent; shape && shape->type == XML_ELEMENT_NODE; shape = shape->parent) {
            const QString style = COoxmlXml::Attr(shape, "style");
            if (style.isEmpty())
                continue;
            picture.width = PictureSide(VmlLength(style, QStringLiteral("width")));
            picture.height = PictureSide(VmlLength(style, QStringLiteral("height")));
            picture.floating = style.contains(QStringLiteral("position:absolute"), Qt::CaseInsensitive);
            break;
        }
    }
    picture.name = m_images.value(id);
    if (picture.name.isEmpty())
        return;
    QString error;
    if (!m_package.ReadPart(picture.name, &picture.bytes, &error))
        picture.bytes.clear();   // the importer reports a picture it cannot read
    (picture.floating ? m_floatingPictures : m_inlinePictures).push_back(std::move(picture));
}

int Reader::LineHeightPoints() const
{
    return int(std::lround(m_defaults.points.value_or(11) * 1.2));
}

void Reader::TextRun(xmlNodePtr r, CWordDocument::Paragraph &para, const RunProps &base, const QString &link)
{
    xmlNodePtr rPr = COoxmlXml::Child(r, W, "rPr");
    RunProps props = base;
    if (xmlNodePtr rStyle = COoxmlXml::Child(rPr, W, "rStyle"))
        props.Over(StyleRunProps(Val(rStyle)));
    props.Over(ReadRunProps(rPr));

    QString text;
    for (xmlNodePtr c = r->children; c; c = c->next) {
        if (c->type != XML_ELEMENT_NODE)
            continue;
        if (IsW(c, "t")) {
            text += SymbolFontText::MapPrivateUse(props.face.value_or(QString()), COoxmlXml::Text(c));
        } else if (IsW(c, "sym")) {
            if (const QChar symbol = SymbolCharacter(c); !symbol.isNull())
                text += symbol;
        } else if (IsW(c, "tab") || IsW(c, "ptab")) {
            text += u'\t';
        } else if (IsW(c, "br")) {
            text += Val(c, "type") == u"page" ? QChar(12) : QChar(11);
        } else if (IsW(c, "cr")) {
            text += QChar(11);
        } else if (IsW(c, "noBreakHyphen")) {
            text += u'-';
        } else if (IsW(c, "drawing") || IsW(c, "pict") || IsW(c, "object")) {
            Picture(c, m_position + int(para.text.size() + text.size()));
            text += QChar(1);
        } else if (IsW(c, "fldChar")) {
            const QString kind = Val(c, "fldCharType");
            if (kind == u"begin") {
                if (++m_fieldDepth == 1) {
                    m_fieldInstruction.clear();
                    m_inFieldResult = false;
                }
            } else if (kind == u"separate" && m_fieldDepth == 1) {
                m_inFieldResult = true;
                const QString instruction = m_fieldInstruction.trimmed();
                m_fieldLink.clear();
                if (instruction.startsWith(u"HYPERLINK", Qt::CaseInsensitive)) {
                    const qsizetype q1 = instruction.indexOf(u'"');
                    const qsizetype q2 = instruction.indexOf(u'"', q1 + 1);
                    if (q1 >= 0 && q2 > q1)
                        m_fieldLink = instruction.mid(q1 + 1, q2 - q1 - 1);
                }
            } else if (kind == u"end" && m_fieldDepth > 0) {
                if (--m_fieldDepth == 0) {
                    m_inFieldResult = false;
                    m_fieldLink.clear();
                }
            }
        } else if (IsW(c, "instrText")) {
            if (m_fieldDepth == 1 && !m_inFieldResult)
                m_fieldInstruction += COoxmlXml::Text(c);
        }
    }
    // A field's instruction is not text; only its result is.
    if (m_fieldDepth > 0 && !m_inFieldResult)
        return;
    if (text.isEmpty())
        return;
    CWordDocument::Run run;
    run.text = text;
    run.bold = props.bold.value_or(false);
    run.italic = props.italic.value_or(false);
    run.underline = props.underline.value_or(false);
    run.strike = props.strike.value_or(false);
    run.hidden = props.hidden.value_or(false);
    run.colour = props.colour.value_or(CWordDocument::autoColour);
    run.face = props.face.value_or(QString());
    run.points = props.points.value_or(0);
    run.vertical = props.vertical.value_or(CWordDocument::baseline);
    run.link = !link.isEmpty() ? link : m_fieldLink;
    para.text += text;
    para.runs.push_back(std::move(run));
}

void Reader::Inline(xmlNodePtr node, CWordDocument::Paragraph &para, const RunProps &base, const QString &link)
{
    for (xmlNodePtr c = node->children; c; c = c->next) {
        if (c->type != XML_ELEMENT_NODE)
            continue;
        if (IsW(c, "r")) {
            TextRun(c, para, base, link);
        } else if (IsW(c, "hyperlink")) {
            QString target = m_links.value(COoxmlXml::Attr(c, "id", OoxmlNs::kRelationships));
            const QString anchor = Val(c, "anchor");
            if (target.isEmpty() && !anchor.isEmpty())
                target = u'#' + anchor;
            Inline(c, para, base, target);
        } else if (IsW(c, "del") || IsW(c, "moveFrom") || IsW(c, "pPr")) {
            continue;   // deleted text is not part of the document
        } else if (IsW(c, "ins") || IsW(c, "moveTo") || IsW(c, "smartTag") || IsW(c, "fldSimple")
                   || IsW(c, "customXml") || IsW(c, "sdt") || IsW(c, "sdtContent") || IsW(c, "dir")
                   || IsW(c, "bdo")) {
            Inline(c, para, base, link);
        }
    }
}

void Reader::Paragraph(xmlNodePtr p, CWordDocument &doc, int table, bool endsCell)
{
    CWordDocument::Paragraph para;
    xmlNodePtr pPr = COoxmlXml::Child(p, W, "pPr");
    QString styleId = Val(COoxmlXml::Child(pPr, W, "pStyle"));
    if (styleId.isEmpty() || !m_styles.contains(styleId))
        styleId = m_defaultParagraphStyle;
    para.styleName = m_styles.contains(styleId) ? m_styles.value(styleId).name : QStringLiteral("Normal");

    ParaProps props = StyleParaProps(styleId);
    const ParaProps direct = ReadParaProps(pPr);
    if (direct.alignment) props.alignment = direct.alignment;
    if (direct.numId) props.numId = direct.numId;
    if (direct.level) props.level = direct.level;

    std::optional<double> indent = props.leftIndent;
    if (props.numId && *props.numId != u"0") {
        const auto levels = m_abstract.value(m_numToAbstract.value(*props.numId));
        const int level = std::clamp(props.level.value_or(0), 0, 8);
        if (!levels.empty()) {
            para.listType = levels[size_t(level)].listType;
            if (levels[size_t(level)].leftIndent)
                indent = levels[size_t(level)].leftIndent;
        } else {
            para.listType = CWordDocument::listSimpleNumbering;
        }
        para.listLevel = level;
    }
    if (direct.leftIndent)
        indent = direct.leftIndent;
    para.alignment = props.alignment.value_or(CWordDocument::alignLeft);
    para.leftIndent = indent.value_or(0);

    RunProps base = m_defaults;
    base.Over(StyleRunProps(styleId));
    Inline(p, para, base, QString());

    para.text += endsCell ? QStringLiteral("\r\a") : QStringLiteral("\r");
    para.start = m_position;
    para.end = m_position + int(para.text.size());
    m_position = para.end;
    para.wordCount = WordTextRules::CountWords(para.text);
    para.table = table;
    if (table >= 0) {
        para.cellRow = m_cellRow;
        para.cellColumn = m_cellColumn;
    }
    doc.paragraphs.push_back(std::move(para));
}

// The visible text under a node: text, tabs and line breaks; deleted text and field instructions left out.
void CollectText(xmlNodePtr node, QString &out)
{
    for (xmlNodePtr c = node->children; c; c = c->next) {
        if (c->type != XML_ELEMENT_NODE)
            continue;
        if (IsW(c, "t")) {
            const xmlNodePtr fonts = COoxmlXml::Path(c->parent, W, {"rPr", "rFonts"});
            QString face = COoxmlXml::Attr(fonts, "ascii", W);
            if (face.isEmpty())
                face = COoxmlXml::Attr(fonts, "hAnsi", W);
            out += SymbolFontText::MapPrivateUse(face, COoxmlXml::Text(c));
        } else if (IsW(c, "sym")) {
            if (const QChar symbol = SymbolCharacter(c); !symbol.isNull())
                out += symbol;
        } else if (IsW(c, "tab"))
            out += u'\t';
        else if (IsW(c, "br") || IsW(c, "cr"))
            out += QChar(11);
        else if (!IsW(c, "del") && !IsW(c, "instrText") && !IsW(c, "rPr") && !IsW(c, "pPr"))
            CollectText(c, out);
    }
}

void CollectCellParagraphs(xmlNodePtr node, QStringList &paragraphs)
{
    for (xmlNodePtr c = node->children; c; c = c->next) {
        if (c->type != XML_ELEMENT_NODE)
            continue;
        if (IsW(c, "p")) {
            QString text;
            CollectText(c, text);
            paragraphs << text;
        } else if (IsW(c, "tbl") || IsW(c, "tr") || IsW(c, "tc") || IsW(c, "sdt") || IsW(c, "sdtContent")
                   || IsW(c, "customXml") || IsW(c, "ins") || IsW(c, "moveTo")) {
            CollectCellParagraphs(c, paragraphs);
        }
    }
}

QString Reader::CellText(xmlNodePtr tc) const
{
    QStringList paragraphs;
    CollectCellParagraphs(tc, paragraphs);
    return paragraphs.join(u'\r') + QStringLiteral("\r\a");
}

void Reader::Table(xmlNodePtr tbl, CWordDocument &doc, int table)
{
    const bool topLevel = table < 0;
    if (topLevel) {
        CWordDocument::Table record;
        record.firstParagraph = int(doc.paragraphs.size());
        record.start = m_position;
        const std::vector<xmlNodePtr> grid = COoxmlXml::Children(COoxmlXml::Child(tbl, W, "tblGrid"), W, "gridCol");
        record.columns = int(grid.size());
        long long widthTwips = 0;
        for (xmlNodePtr column : grid)
            widthTwips += std::max(0ll, WInt(column, "w", 0));
        const QString emptyCell = QStringLiteral("\r\a");
        long long heightTwips = 0;
        for (xmlNodePtr tr : Unwrapped(tbl, "tr")) {
            xmlNodePtr trPr = COoxmlXml::Child(tr, W, "trPr");
            // Cells stand in the grid columns they start at; a cell spanning columns leaves the others empty.
            const long long before = WInt(COoxmlXml::Child(trPr, W, "gridBefore"), "val", 0);
            std::vector<QString> cells(size_t(std::clamp(before, 0ll, 63ll)), emptyCell);
            int tallest = 1;
            for (xmlNodePtr tc : Unwrapped(tr, "tc")) {
                cells.push_back(CellText(tc));
                tallest = std::max(tallest, int(cells.back().count(u'\r')));   // one "\r" per paragraph
                const long long span = WInt(COoxmlXml::Path(tc, W, {"tcPr", "gridSpan"}), "val", 1);
                for (long long s = 1; s < std::min(span, 64ll); ++s)
                    cells.push_back(emptyCell);
            }
            bool hasHeight = false;
            const long long height = WInt(COoxmlXml::Child(trPr, W, "trHeight"), "val", 0, &hasHeight);
            heightTwips += hasHeight && height > 0 ? height : 20ll * tallest * LineHeightPoints();
            record.columns = std::max(record.columns, int(cells.size()));
            record.cellTexts.push_back(std::move(cells));
        }
        record.rows = int(record.cellTexts.size());
        record.widthPoints = int(std::min<long long>(widthTwips / 20, 1 << 20));
        record.heightPoints = int(std::min<long long>(heightTwips / 20, 1 << 20));
        doc.tables.push_back(std::move(record));
        table = int(doc.tables.size()) - 1;
    }
    int row = 0;
    for (xmlNodePtr tr : Unwrapped(tbl, "tr")) {
        long long column = std::clamp(WInt(COoxmlXml::Path(tr, W, {"trPr", "gridBefore"}), "val", 0), 0ll, 63ll);
        for (xmlNodePtr tc : Unwrapped(tr, "tc")) {
            if (topLevel) {
                m_cellRow = row;
                m_cellColumn = int(column);
            }
            column += std::clamp(WInt(COoxmlXml::Path(tc, W, {"tcPr", "gridSpan"}), "val", 1), 1ll, 64ll);
            const std::vector<xmlNodePtr> blocks = Blocks(tc);
            xmlNodePtr lastParagraph = nullptr;
            for (xmlNodePtr b : blocks)
                if (IsW(b, "p"))
                    lastParagraph = b;
            for (xmlNodePtr b : blocks) {
                if (IsW(b, "p"))
                    Paragraph(b, doc, table, b == lastParagraph);
                else if (IsW(b, "tbl"))
                    Table(b, doc, table);
            }
        }
        ++row;
    }
    if (topLevel) {
        m_cellRow = m_cellColumn = -1;
        CWordDocument::Table &record = doc.tables.back();
        record.paragraphCount = int(doc.paragraphs.size()) - record.firstParagraph;
        if (record.paragraphCount == 0) {
            doc.tables.pop_back();   // a table without paragraphs cannot be met by the paragraph walk
        } else {
            record.start = doc.paragraphs[size_t(record.firstParagraph)].start;
        }
    }
}

void Reader::Block(xmlNodePtr parent, CWordDocument &doc, int table)
{
    for (xmlNodePtr c : Blocks(parent)) {
        if (IsW(c, "p"))
            Paragraph(c, doc, table, false);
        else
            Table(c, doc, table);
    }
}

bool Reader::Run(CWordDocument &doc, QString &error)
{
    QString relsError;
    QString main = m_package.MainPartName(&relsError);
    if (main.isEmpty() && m_package.HasPart(QStringLiteral("word/document.xml")))
        main = QStringLiteral("word/document.xml");
    if (main.isEmpty() && !relsError.isEmpty()) {
        error = QStringLiteral("%1 cannot be read: %2").arg(m_package.Path(), relsError);
        return false;
    }
    if (main.isEmpty() || !m_package.HasPart(main)) {
        error = QStringLiteral("%1 holds no document text (word/document.xml is missing).").arg(m_package.Path());
        return false;
    }
    if (m_package.PartSize(main) > CDocxReader::kMaxDocumentPart) {
        error = QStringLiteral("%1 is too large to import.").arg(m_package.Path());
        return false;
    }
    const auto rels = m_package.Relationships(main);
    if (const COoxmlRelationship *styles = m_package.FindRelationship(rels, QStringLiteral("styles")))
        ReadStyles(styles->target);
    if (const COoxmlRelationship *numbering = m_package.FindRelationship(rels, QStringLiteral("numbering")))
        ReadNumbering(numbering->target);
    ReadRelationships(main);

    QString parseError;
    auto xml = COoxmlXml::ReadPart(m_package, main, &parseError);
    if (!xml) {
        error = QStringLiteral("%1 cannot be read: %2").arg(m_package.Path(), parseError);
        return false;
    }
    xmlNodePtr body = COoxmlXml::Child(xml->Root(), W, "body");
    if (!body || !COoxmlXml::Is(xml->Root(), W, "document")) {
        error = QStringLiteral("%1 is not a word-processing document.").arg(m_package.Path());
        return false;
    }
    Block(body, doc, -1);
    doc.pictures = std::move(m_inlinePictures);
    doc.pictures.insert(doc.pictures.end(), std::make_move_iterator(m_floatingPictures.rbegin()),
                        std::make_move_iterator(m_floatingPictures.rend()));
    return true;
}

} // namespace

QString CDocxReader::BuiltInDisplayName(const QString &name)
{
    static const QHash<QString, QString> exceptions = {
        {QStringLiteral("annotation text"), QStringLiteral("Comment Text")},
        {QStringLiteral("annotation reference"), QStringLiteral("Comment Reference")},
        {QStringLiteral("annotation subject"), QStringLiteral("Comment Subject")},
    };
    const QString lower = name.toLower();
    if (auto it = exceptions.constFind(lower); it != exceptions.constEnd())
        return *it;
    if (lower.startsWith(u"toc ") || lower == u"toc heading")
        return lower == u"toc heading" ? QStringLiteral("TOC Heading") : QStringLiteral("TOC ") + name.mid(4);
    // Built-in names are words and numbers; a writer that does not mark its custom styles (LibreOffice)
    // leaves names such as "kv_glossary", which are shown as written.
    if (std::any_of(name.begin(), name.end(), [](QChar c) { return !c.isLetterOrNumber() && c != u' '; }))
        return name;
    QString display = name;
    bool wordStart = true;
    for (QChar &c : display) {
        if (wordStart && c.isLetter())
            c = c.toUpper();
        wordStart = c == u' ';
    }
    return display;
}

CResult<std::unique_ptr<CWordDocument>> CDocxReader::Read(const QString &path)
{
    QString openError;
    auto package = COoxmlPackage::Open(path, &openError);
    if (!package)
        return CFailure(QStringLiteral("%1 cannot be read: %2").arg(path, openError));
    auto doc = std::make_unique<CWordDocument>();
    Reader reader(*package);
    QString error;
    if (!reader.Run(*doc, error))
        return CFailure(error);
    return doc;
}
