#include "platform/ooxml/PptxPresentation.h"

#include "platform/ooxml/OoxmlPackage.h"
#include "platform/ooxml/OoxmlXml.h"
#include "platform/ooxml/SymbolFontText.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QSaveFile>

#include <libxml/tree.h>

#include <cmath>
#include <map>

namespace {

constexpr const char *A = OoxmlNs::kDrawing;
constexpr const char *P = OoxmlNs::kPresentation;
constexpr double kEmuPerPoint = 12700.0;
constexpr int kMaxLevels = 9;

using X = COoxmlXml;

bool BoolAttr(xmlNodePtr node, const char *name, bool *value)
{
    if (!X::HasAttr(node, name))
        return false;
    const QString v = X::Attr(node, name).trimmed().toLower();
    *value = v == QLatin1String("1") || v == QLatin1String("true") || v == QLatin1String("on");
    return true;
}

uint32_t ColorRefFromHex(const QString &hex)
{
    bool ok = false;
    const uint32_t rgb = hex.toUInt(&ok, 16);
    if (!ok)
        return 0;
    const uint32_t r = (rgb >> 16) & 0xff, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
    return r | (g << 8) | (b << 16);
}

// The placeholder types of the file format and the object model's numbers for them.
struct PlaceholderName
{
    const char *name;
    int number;
};
constexpr PlaceholderName kPlaceholderNames[] = {
    {"title", kPptxPhTitle},     {"body", kPptxPhBody},         {"ctrTitle", kPptxPhCenterTitle},
    {"subTitle", kPptxPhSubtitle}, {"obj", kPptxPhObject},      {"chart", kPptxPhChart},
    {"clipArt", kPptxPhBitmap},  {"media", kPptxPhMedia},       {"dgm", kPptxPhOrgChart},
    {"tbl", kPptxPhTable},       {"sldNum", kPptxPhSlideNumber}, {"hdr", kPptxPhHeader},
    {"ftr", kPptxPhFooter},      {"dt", kPptxPhDate},           {"pic", kPptxPhPicture},
    {"sldImg", kPptxPhSlideImage},
};

int PlaceholderNumber(const QString &type)
{
    for (const PlaceholderName &n : kPlaceholderNames) {
        if (type == QLatin1String(n.name))
            return n.number;
    }
    return kPptxPhObject;
}

bool IsTitleType(const QString &type)
{
    return type == QLatin1String("title") || type == QLatin1String("ctrTitle");
}

// The master holds one placeholder per kind: the slide's kinds that share one of them.
QString MasterTypeOf(const QString &type)
{
    if (type == QLatin1String("ctrTitle"))
        return QStringLiteral("title");
    if (type == QLatin1String("subTitle") || type == QLatin1String("obj") || type.isEmpty())
        return QStringLiteral("body");
    return type;
}

// A placeholder of a layout or a master.
struct Placeholder
{
    QString type;
    QString idx;
    xmlNodePtr node = nullptr;
};

xmlNodePtr NonVisualProps(xmlNodePtr shape)
{
    for (xmlNodePtr c = shape ? shape->children : nullptr; c; c = c->next) {
        if (c->type == XML_ELEMENT_NODE && X::LocalName(c).startsWith(QLatin1String("nv")))
            return c;
    }
    return nullptr;
}

xmlNodePtr PlaceholderElement(xmlNodePtr shape)
{
    return X::Path(NonVisualProps(shape), P, {"nvPr", "ph"});
}

// Shapes of a tree, with alternate content resolved to its fallback (or, without one, its first choice).
std::vector<xmlNodePtr> ShapeElements(xmlNodePtr tree)
{
    std::vector<xmlNodePtr> out;
    for (xmlNodePtr c = tree ? tree->children : nullptr; c; c = c->next) {
        if (c->type != XML_ELEMENT_NODE)
            continue;
        const QString name = X::LocalName(c);
        if (name == QLatin1String("AlternateContent")) {
            xmlNodePtr branch = X::Child(c, nullptr, "Fallback");
            if (!branch)
                branch = X::Child(c, nullptr, "Choice");
            for (xmlNodePtr s = branch ? branch->children : nullptr; s; s = s->next) {
                if (s->type == XML_ELEMENT_NODE) {
                    out.push_back(s);
                    break;
                }
            }
        } else if (name == QLatin1String("sp") || name == QLatin1String("pic") || name == QLatin1String("grpSp")
                   || name == QLatin1String("graphicFrame") || name == QLatin1String("cxnSp")
                   || name == QLatin1String("contentPart")) {
            out.push_back(c);
        }
    }
    return out;
}

std::vector<Placeholder> PlaceholdersOf(xmlNodePtr root)
{
    std::vector<Placeholder> out;
    for (xmlNodePtr shape : ShapeElements(X::Path(root, P, {"cSld", "spTree"}))) {
        if (xmlNodePtr ph = PlaceholderElement(shape))
            out.push_back({X::Attr(ph, "type"), X::Attr(ph, "idx"), shape});
    }
    return out;
}

xmlNodePtr Xfrm(xmlNodePtr shape)
{
    if (!shape)
        return nullptr;
    if (xmlNodePtr x = X::Path(shape, P, {"spPr"}); x && X::Child(x, A, "xfrm"))
        return X::Child(x, A, "xfrm");
    if (xmlNodePtr x = X::Child(X::Child(shape, P, "grpSpPr"), A, "xfrm"))
        return x;
    if (xmlNodePtr x = X::Child(shape, P, "xfrm"))
        return x;
    return nullptr;
}

} // namespace

// Everything one part of the chain (slide, layout, master) offers to the shapes that inherit from it.
struct SlidePart
{
    std::unique_ptr<COoxmlXml> xml;
    QString name;
    std::vector<COoxmlRelationship> rels;
    std::vector<Placeholder> placeholders;
    const SlidePart *parent = nullptr; // layout -> master
    // Masters only:
    QHash<QString, QString> colorMap;  // "tx1" -> "dk1"
    QHash<QString, uint32_t> scheme;   // "dk1" -> colour
    QString majorFont, minorFont;
    xmlNodePtr titleStyle = nullptr, bodyStyle = nullptr, otherStyle = nullptr;
};

class CPptxPresentation::Reader
{
public:
    Reader(CPptxPresentation &pres, const COoxmlPackage &pkg) : m_pres(pres), m_pkg(pkg) {}
    bool Read(QString *error);

private:
    const SlidePart *LoadPart(const QString &partName, const QString &parentRelType, bool isMaster);
    void LoadMasterDetails(SlidePart &master);
    CPptxSlide ReadSlide(const QString &slidePart, QString *error);
    void ReadShapes(xmlNodePtr tree, const SlidePart &slide, const SlidePart *layout, bool notes,
                    std::vector<CPptxShape> &out);
    CPptxShape ReadShape(xmlNodePtr node, const SlidePart &slide, const SlidePart *layout, bool notes);
    void ReadText(xmlNodePtr shapeNode, const std::vector<xmlNodePtr> &chain, const QString &phType, bool notes,
                  const SlidePart *master, CPptxShape &shape);
    void ApplyRunProps(xmlNodePtr rPr, CPptxCharFormat &f, bool sizeSet[], const SlidePart *master) const;
    bool ResolveColor(xmlNodePtr fillParent, const SlidePart *master, uint32_t *color) const;
    const SlidePart *MasterOf(const SlidePart *layout) const { return layout ? layout->parent : nullptr; }
    // True, with the message kept, when a part of the slides is beyond kMaxSlidePart.
    bool TooLarge(const QString &partName);

    CPptxPresentation &m_pres;
    QString m_tooLarge;
    const COoxmlPackage &m_pkg;
    std::unique_ptr<COoxmlXml> m_presentationXml;
    xmlNodePtr m_defaultTextStyle = nullptr;
    std::map<QString, std::unique_ptr<SlidePart>> m_parts;
};

namespace {

xmlNodePtr FindPlaceholderNode(const SlidePart *part, const QString &type, const QString &idx, bool isMaster)
{
    if (!part)
        return nullptr;
    if (!isMaster && !idx.isEmpty()) {
        for (const Placeholder &p : part->placeholders) {
            if (p.idx == idx)
                return p.node;
        }
    }
    const QString wanted = isMaster ? MasterTypeOf(type) : (type.isEmpty() ? QStringLiteral("obj") : type);
    for (const Placeholder &p : part->placeholders) {
        const QString have = isMaster ? MasterTypeOf(p.type) : (p.type.isEmpty() ? QStringLiteral("obj") : p.type);
        if (have == wanted)
            return p.node;
    }
    return nullptr;
}

} // namespace

bool CPptxPresentation::Reader::TooLarge(const QString &partName)
{
    if (m_pkg.PartSize(partName) <= kMaxSlidePart)
        return false;
    if (m_tooLarge.isEmpty())
        m_tooLarge = QStringLiteral("The file \"%1\" is too large to import: its part \"%2\" holds more than %3 MB.")
                         .arg(m_pkg.Path(), partName)
                         .arg(kMaxSlidePart >> 20);
    return true;
}

const SlidePart *CPptxPresentation::Reader::LoadPart(const QString &partName, const QString &parentRelType,
                                                     bool isMaster)
{
    if (partName.isEmpty() || TooLarge(partName))
        return nullptr;
    if (auto it = m_parts.find(partName); it != m_parts.end())
        return it->second.get();
    auto part = std::make_unique<SlidePart>();
    QString error;
    part->xml = COoxmlXml::ReadPart(m_pkg, partName, &error);
    SlidePart *raw = part.get();
    m_parts[partName] = std::move(part); // also stops a chain that loops back on itself
    if (!raw->xml)
        return nullptr;
    raw->name = partName;
    raw->rels = m_pkg.Relationships(partName);
    raw->placeholders = PlaceholdersOf(raw->xml->Root());
    if (isMaster) {
        LoadMasterDetails(*raw);
    } else if (!parentRelType.isEmpty()) {
        if (const COoxmlRelationship *rel = m_pkg.FindRelationship(raw->rels, parentRelType); rel && !rel->external)
            raw->parent = LoadPart(rel->target, QString(), true);
    }
    return raw;
}

void CPptxPresentation::Reader::LoadMasterDetails(SlidePart &master)
{
    const xmlNodePtr root = master.xml->Root();
    if (xmlNodePtr map = X::Child(root, P, "clrMap")) {
        for (xmlAttrPtr a = map->properties; a; a = a->next)
            master.colorMap.insert(QString::fromUtf8(reinterpret_cast<const char *>(a->name)),
                                   X::Attr(map, reinterpret_cast<const char *>(a->name)));
    }
    if (xmlNodePtr styles = X::Child(root, P, "txStyles")) {
        master.titleStyle = X::Child(styles, P, "titleStyle");
        master.bodyStyle = X::Child(styles, P, "bodyStyle");
        master.otherStyle = X::Child(styles, P, "otherStyle");
    }
    if (xmlNodePtr notesStyle = X::Child(root, P, "notesStyle"))
        master.bodyStyle = notesStyle;
    const COoxmlRelationship *themeRel = m_pkg.FindRelationship(master.rels, QStringLiteral("theme"));
    if (!themeRel || themeRel->external)
        return;
    QString error;
    const auto theme = COoxmlXml::ReadPart(m_pkg, themeRel->target, &error);
    if (!theme)
        return;
    const xmlNodePtr elements = X::Child(theme->Root(), A, "themeElements");
    for (xmlNodePtr c : X::Children(X::Child(elements, A, "clrScheme"))) {
        uint32_t color = 0;
        if (xmlNodePtr srgb = X::Child(c, A, "srgbClr"))
            color = ColorRefFromHex(X::Attr(srgb, "val"));
        else if (xmlNodePtr sys = X::Child(c, A, "sysClr"))
            color = ColorRefFromHex(X::Attr(sys, "lastClr"));
        master.scheme.insert(X::LocalName(c), color);
    }
    const xmlNodePtr fonts = X::Child(elements, A, "fontScheme");
    master.majorFont = X::Attr(X::Path(fonts, A, {"majorFont", "latin"}), "typeface");
    master.minorFont = X::Attr(X::Path(fonts, A, {"minorFont", "latin"}), "typeface");
}

bool CPptxPresentation::Reader::ResolveColor(xmlNodePtr fillParent, const SlidePart *master, uint32_t *color) const
{
    const xmlNodePtr fill = X::Child(fillParent, A, "solidFill");
    if (!fill)
        return false;
    if (xmlNodePtr srgb = X::Child(fill, A, "srgbClr")) {
        *color = ColorRefFromHex(X::Attr(srgb, "val"));
        return true;
    }
    if (xmlNodePtr sys = X::Child(fill, A, "sysClr")) {
        *color = ColorRefFromHex(X::Attr(sys, "lastClr"));
        return true;
    }
    if (xmlNodePtr sch = X::Child(fill, A, "schemeClr")) {
        QString name = X::Attr(sch, "val");
        if (master && master->colorMap.contains(name))
            name = master->colorMap.value(name);
        if (master && master->scheme.contains(name)) {
            *color = master->scheme.value(name);
            return true;
        }
        return false;
    }
    return false;
}

void CPptxPresentation::Reader::ApplyRunProps(xmlNodePtr rPr, CPptxCharFormat &f, bool set[],
                                              const SlidePart *master) const
{
    // set[]: name, size, colour, bold, italic, underline already decided by a nearer level.
    if (!rPr)
        return;
    if (!set[0]) {
        if (xmlNodePtr latin = X::Child(rPr, A, "latin"); latin && X::HasAttr(latin, "typeface")) {
            QString face = X::Attr(latin, "typeface");
            if (master && face.startsWith(QLatin1String("+mj")))
                face = master->majorFont;
            else if (master && face.startsWith(QLatin1String("+mn")))
                face = master->minorFont;
            if (!face.isEmpty()) {
                f.fontName = face;
                set[0] = true;
            }
        }
    }
    if (!set[1]) {
        bool present = false;
        const long long sz = X::IntAttr(rPr, "sz", 0, &present);
        if (present && sz > 0) {
            f.size = double(sz) / 100.0;
            set[1] = true;
        }
    }
    if (!set[2]) {
        uint32_t color = 0;
        if (ResolveColor(rPr, master, &color)) {
            f.color = color;
            set[2] = true;
        }
    }
    if (!set[3])
        set[3] = BoolAttr(rPr, "b", &f.bold);
    if (!set[4])
        set[4] = BoolAttr(rPr, "i", &f.italic);
    if (!set[5] && X::HasAttr(rPr, "u")) {
        f.underline = X::Attr(rPr, "u") != QLatin1String("none");
        set[5] = true;
    }
}

void CPptxPresentation::Reader::ReadText(xmlNodePtr shapeNode, const std::vector<xmlNodePtr> &chain,
                                         const QString &phType, bool notes, const SlidePart *master,
                                         CPptxShape &shape)
{
    // The list styles a paragraph inherits from, nearest first: the shape's own, its layout and master
    // placeholders', the master's text styles, the presentation's defaults.
    std::vector<xmlNodePtr> lists;
    for (xmlNodePtr s : chain) {
        if (xmlNodePtr l = X::Child(X::Child(s, P, "txBody"), A, "lstStyle"))
            lists.push_back(l);
    }
    if (master) {
        if (!shape.placeholderType) {
            if (notes && master->bodyStyle)
                lists.push_back(master->bodyStyle);
        } else if (IsTitleType(phType)) {
            lists.push_back(master->titleStyle);
        } else if (phType == QLatin1String("dt") || phType == QLatin1String("ftr")
                   || phType == QLatin1String("sldNum") || phType == QLatin1String("hdr")) {
            lists.push_back(master->otherStyle);
        } else {
            lists.push_back(master->bodyStyle);
        }
    }
    lists.push_back(m_defaultTextStyle);

    const xmlNodePtr body = X::Child(shapeNode, P, "txBody");
    for (xmlNodePtr para : X::Children(body, A, "p")) {
        CPptxParagraph out;
        const xmlNodePtr pPr = X::Child(para, A, "pPr");
        out.level = std::clamp(int(X::IntAttr(pPr, "lvl", 0)), 0, kMaxLevels - 1);
        const QByteArray levelName = "lvl" + QByteArray::number(out.level + 1) + "pPr";
        std::vector<xmlNodePtr> levels{pPr};
        for (xmlNodePtr l : lists) {
            if (xmlNodePtr lv = X::Child(l, A, levelName.constData()))
                levels.push_back(lv);
        }
        bool alignSet = false, bulletSet = false;
        for (xmlNodePtr lv : levels) {
            if (!lv)
                continue;
            if (!alignSet && X::HasAttr(lv, "algn")) {
                static const QHash<QString, int> kAlign = {{"l", 1}, {"ctr", 2}, {"r", 3}, {"just", 4},
                                                           {"justLow", 4}, {"dist", 5}, {"thaiDist", 5}};
                out.alignment = kAlign.value(X::Attr(lv, "algn"), 1);
                alignSet = true;
            }
            if (!bulletSet) {
                struct Bullet { const char *name; int type; };
                static constexpr Bullet kBullets[] = {{"buNone", 0}, {"buChar", 1}, {"buAutoNum", 2}, {"buBlip", 3}};
                for (const Bullet &b : kBullets) {
                    if (X::Child(lv, A, b.name)) {
                        out.bulletType = b.type;
                        bulletSet = true;
                        break;
                    }
                }
            }
        }
        auto resolve = [&](xmlNodePtr rPr) {
            CPptxCharFormat f;
            f.fontName = master && !master->minorFont.isEmpty() ? master->minorFont : QStringLiteral("Arial");
            if (master) {
                if (const QString dk = master->colorMap.value(QStringLiteral("tx1"), QStringLiteral("dk1"));
                    master->scheme.contains(dk))
                    f.color = master->scheme.value(dk);
            }
            bool set[6] = {false, false, false, false, false, false};
            ApplyRunProps(rPr, f, set, master);
            for (xmlNodePtr lv : levels)
                ApplyRunProps(X::Child(lv, A, "defRPr"), f, set, master);
            return f;
        };
        for (xmlNodePtr c = para->children; c; c = c->next) {
            if (c->type != XML_ELEMENT_NODE)
                continue;
            const QString name = X::LocalName(c);
            CPptxRun run;
            if (name == QLatin1String("r") || name == QLatin1String("fld"))
                run.text = SymbolFontText::MapPrivateUse(X::Attr(X::Path(c, A, {"rPr", "sym"}), "typeface"),
                                                         X::Text(X::Child(c, A, "t")));
            else if (name == QLatin1String("br"))
                run.text = QString(QChar(0x0B));
            else
                continue;
            // Paragraph and line ends inside a run's text would split it where the presentation does not.
            run.text.replace(u'\r', u' ').replace(u'\n', u' ');
            run.format = resolve(X::Child(c, A, "rPr"));
            if (!run.text.isEmpty())
                out.runs.push_back(std::move(run));
        }
        out.endFormat = out.runs.empty() ? resolve(X::Child(para, A, "endParaRPr")) : out.runs.back().format;
        shape.paragraphs.push_back(std::move(out));
    }
}

CPptxShape CPptxPresentation::Reader::ReadShape(xmlNodePtr node, const SlidePart &slide, const SlidePart *layout,
                                                bool notes)
{
    CPptxShape shape;
    const QString kind = X::LocalName(node);
    const xmlNodePtr nv = NonVisualProps(node);
    const xmlNodePtr cNvPr = X::Child(nv, P, "cNvPr");
    shape.name = X::Attr(cNvPr, "name");
    const SlidePart *master = notes ? layout : MasterOf(layout);

    // The chain of shapes this one inherits from: itself, its layout placeholder, its master placeholder.
    std::vector<xmlNodePtr> chain{node};
    QString phType;
    const xmlNodePtr ph = PlaceholderElement(node);
    if (ph) {
        phType = X::Attr(ph, "type");
        const QString idx = X::Attr(ph, "idx");
        if (notes) {
            if (xmlNodePtr m = FindPlaceholderNode(layout, phType, idx, true))
                chain.push_back(m);
        } else {
            const xmlNodePtr fromLayout = FindPlaceholderNode(layout, phType, idx, false);
            if (fromLayout) {
                chain.push_back(fromLayout);
                if (phType.isEmpty())
                    phType = X::Attr(PlaceholderElement(fromLayout), "type");
            }
            if (xmlNodePtr m = FindPlaceholderNode(master, phType, idx, true))
                chain.push_back(m);
        }
        if (phType.isEmpty())
            phType = QStringLiteral("obj");
        shape.placeholderType = PlaceholderNumber(phType);
    }
    for (xmlNodePtr s : chain) {
        if (xmlNodePtr xfrm = Xfrm(s)) {
            const xmlNodePtr off = X::Child(xfrm, A, "off");
            const xmlNodePtr ext = X::Child(xfrm, A, "ext");
            shape.left = double(X::IntAttr(off, "x", 0)) / kEmuPerPoint;
            shape.top = double(X::IntAttr(off, "y", 0)) / kEmuPerPoint;
            shape.width = double(X::IntAttr(ext, "cx", 0)) / kEmuPerPoint;
            shape.height = double(X::IntAttr(ext, "cy", 0)) / kEmuPerPoint;
            break;
        }
    }

    if (kind == QLatin1String("sp")) {
        const QString geometry = X::Attr(X::Path(node, P, {"spPr", "prstGeom"}), "prst");
        const bool textBox = X::Attr(X::Child(nv, P, "cNvSpPr"), "txBox") == QLatin1String("1");
        if (geometry == QLatin1String("line") || geometry.startsWith(QLatin1String("straightConnector"))) {
            shape.type = kPptxLine;
        } else {
            shape.type = ph ? kPptxPlaceholder : textBox ? kPptxTextBox : kPptxAutoShape;
            shape.hasTextFrame = true;
            ReadText(node, chain, phType, notes, master, shape);
        }
    } else if (kind == QLatin1String("pic")) {
        const xmlNodePtr nvPr = X::Child(nv, P, "nvPr");
        const bool media = X::Child(nvPr, A, "videoFile") || X::Child(nvPr, A, "audioFile")
                           || X::Child(nvPr, A, "quickTimeFile");
        shape.type = media ? kPptxMedia : ph ? kPptxPlaceholder : kPptxPicture;
        const QString embed = X::Attr(X::Path(node, P, {"blipFill"}) ? X::Child(X::Child(node, P, "blipFill"), A, "blip")
                                                                     : nullptr,
                                      "embed", OoxmlNs::kRelationships);
        if (const COoxmlRelationship *rel = COoxmlPackage::FindById(slide.rels, embed); rel && !rel->external)
            shape.imagePart = rel->target;
    } else if (kind == QLatin1String("grpSp")) {
        shape.type = kPptxGroup;
    } else if (kind == QLatin1String("cxnSp")) {
        shape.type = kPptxLine;
    } else if (kind == QLatin1String("graphicFrame")) {
        const QString uri = X::Attr(X::Path(node, A, {"graphic", "graphicData"}), "uri");
        shape.type = uri.endsWith(QLatin1String("/table")) ? kPptxTable
                     : uri.endsWith(QLatin1String("/chart")) ? kPptxChart
                     : uri.endsWith(QLatin1String("/diagram")) ? kPptxSmartArt
                                                             : kPptxEmbeddedObject;
    } else {
        shape.type = kPptxEmbeddedObject;
    }
    return shape;
}

void CPptxPresentation::Reader::ReadShapes(xmlNodePtr tree, const SlidePart &slide, const SlidePart *layout,
                                           bool notes, std::vector<CPptxShape> &out)
{
    for (xmlNodePtr node : ShapeElements(tree))
        out.push_back(ReadShape(node, slide, layout, notes));
}

CPptxSlide CPptxPresentation::Reader::ReadSlide(const QString &slidePart, QString *error)
{
    CPptxSlide slide;
    if (TooLarge(slidePart)) {
        *error = m_tooLarge;
        return slide;
    }
    SlidePart part;
    part.xml = COoxmlXml::ReadPart(m_pkg, slidePart, error);
    if (!part.xml)
        return slide;
    part.name = slidePart;
    part.rels = m_pkg.Relationships(slidePart);
    const SlidePart *layout = nullptr;
    if (const COoxmlRelationship *rel = m_pkg.FindRelationship(part.rels, QStringLiteral("slideLayout"));
        rel && !rel->external)
        layout = LoadPart(rel->target, QStringLiteral("slideMaster"), false);
    ReadShapes(X::Path(part.xml->Root(), P, {"cSld", "spTree"}), part, layout, false, slide.shapes);

    const COoxmlRelationship *notesRel = m_pkg.FindRelationship(part.rels, QStringLiteral("notesSlide"));
    if (!notesRel || notesRel->external || TooLarge(notesRel->target))
        return slide;
    SlidePart notes;
    QString notesError;
    notes.xml = COoxmlXml::ReadPart(m_pkg, notesRel->target, &notesError);
    if (!notes.xml)
        return slide; // notes that cannot be read leave the slide itself whole
    notes.rels = m_pkg.Relationships(notesRel->target);
    const SlidePart *notesMaster = nullptr;
    if (const COoxmlRelationship *rel = m_pkg.FindRelationship(notes.rels, QStringLiteral("notesMaster"));
        rel && !rel->external)
        notesMaster = LoadPart(rel->target, QString(), true);
    ReadShapes(X::Path(notes.xml->Root(), P, {"cSld", "spTree"}), notes, notesMaster, true, slide.notesShapes);
    return slide;
}

bool CPptxPresentation::Reader::Read(QString *error)
{
    QString relsError;
    const QString main = m_pkg.MainPartName(&relsError);
    if (main.isEmpty() && !relsError.isEmpty()) {
        *error = relsError;
        return false;
    }
    if (main.isEmpty() || !m_pkg.HasPart(main)) {
        *error = QStringLiteral("The file \"%1\" is not a presentation: it has no main part.").arg(m_pkg.Path());
        return false;
    }
    if (TooLarge(main)) {
        *error = m_tooLarge;
        return false;
    }
    m_presentationXml = COoxmlXml::ReadPart(m_pkg, main, error);
    if (!m_presentationXml)
        return false;
    const xmlNodePtr root = m_presentationXml->Root();
    if (!X::Is(root, P, "presentation")) {
        *error = QStringLiteral("The file \"%1\" is not a presentation.").arg(m_pkg.Path());
        return false;
    }
    m_defaultTextStyle = X::Child(root, P, "defaultTextStyle");
    if (xmlNodePtr size = X::Child(root, P, "sldSz")) {
        const long long cx = X::IntAttr(size, "cx", 0), cy = X::IntAttr(size, "cy", 0);
        if (cx > 0 && cy > 0) {
            m_pres.m_slideWidth = double(cx) / kEmuPerPoint;
            m_pres.m_slideHeight = double(cy) / kEmuPerPoint;
        }
    }
    const auto rels = m_pkg.Relationships(main);
    for (xmlNodePtr id : X::Children(X::Child(root, P, "sldIdLst"), P, "sldId")) {
        const COoxmlRelationship *rel = COoxmlPackage::FindById(rels, X::Attr(id, "id", OoxmlNs::kRelationships));
        if (!rel || rel->external || !m_pkg.HasPart(rel->target)) {
            *error = QStringLiteral("The file \"%1\" is damaged: a slide it lists is missing.").arg(m_pkg.Path());
            return false;
        }
        QString slideError;
        CPptxSlide slide = ReadSlide(rel->target, &slideError);
        if (slideError.isEmpty())
            slideError = m_tooLarge;   // a layout, master or notes part beyond the limit
        if (!slideError.isEmpty()) {
            *error = slideError;
            return false;
        }
        m_pres.m_slides.push_back(std::move(slide));
    }
    return true;
}

CPptxPresentation::CPptxPresentation() = default;
CPptxPresentation::~CPptxPresentation() = default;

std::unique_ptr<CPptxPresentation> CPptxPresentation::Open(const QString &path, QString *error)
{
    QString reason;
    auto package = COoxmlPackage::Open(path, &reason);
    if (!package) {
        if (error)
            *error = reason;
        return nullptr;
    }
    std::unique_ptr<CPptxPresentation> pres(new CPptxPresentation);
    Reader reader(*pres, *package);
    if (!reader.Read(&reason)) {
        if (error)
            *error = reason;
        return nullptr;
    }
    pres->m_package = std::move(package);
    return pres;
}

bool CPptxPresentation::ExportPicture(const CPptxShape &shape, const QString &pngPath, QString *error) const
{
    QByteArray bytes;
    if (shape.imagePart.isEmpty()) {
        if (error)
            *error = QStringLiteral("The picture \"%1\" has no image.").arg(shape.name);
        return false;
    }
    if (!m_package->ReadPart(shape.imagePart, &bytes, error))
        return false;
    QImage image;
    if (!image.loadFromData(bytes)) {
        if (error)
            *error = QStringLiteral("The image \"%1\" cannot be decoded.").arg(shape.imagePart);
        return false;
    }
    QSaveFile file(pngPath);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        if (error)
            *error = QStringLiteral("Couldn't create the file: %1").arg(pngPath);
        return false;
    }
    return true;
}

// --- whole-shape values -------------------------------------------------------------------------------

QString CPptxShape::Text() const
{
    QString text;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        if (i)
            text += u'\r';
        for (const CPptxRun &run : paragraphs[i].runs)
            text += run.text;
    }
    return text;
}

int CPptxShape::Alignment() const
{
    if (paragraphs.empty())
        return 1;
    const int first = paragraphs.front().alignment;
    for (const CPptxParagraph &p : paragraphs) {
        if (p.alignment != first)
            return 1;
    }
    return first;
}

int CPptxShape::BulletType() const
{
    if (paragraphs.empty())
        return 0;
    const int first = paragraphs.front().bulletType;
    for (const CPptxParagraph &p : paragraphs) {
        if (p.bulletType != first)
            return -2;
    }
    return first;
}

int CPptxShape::LineCount() const
{
    if (Text().isEmpty())
        return 0;
    // Without the fonts' metrics a character is taken as half its size wide; insets of 0.1 inch each side.
    const double available = std::max(width - 14.4, 1.0);
    int lines = 0;
    for (const CPptxParagraph &p : paragraphs) {
        double line = 0;
        int count = 1;
        for (const CPptxRun &run : p.runs) {
            for (QChar c : run.text) {
                if (c == QChar(0x0B)) {
                    ++count;
                    line = 0;
                    continue;
                }
                line += run.format.size * 0.5;
                if (line > available) {
                    ++count;
                    line = run.format.size * 0.5;
                }
            }
        }
        lines += count;
    }
    return lines;
}

std::vector<CPptxCharFormat> CPptxShape::CharacterFormats() const
{
    std::vector<CPptxCharFormat> formats;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        if (i)
            formats.push_back(paragraphs[i - 1].endFormat);
        for (const CPptxRun &run : paragraphs[i].runs)
            formats.insert(formats.end(), size_t(run.text.size()), run.format);
    }
    return formats;
}
