#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <memory>
#include <vector>

class COoxmlPackage;

// Character format of a run with every inherited value resolved.
struct CPptxCharFormat
{
    QString fontName = QStringLiteral("Arial");
    double size = 18.0;      // points
    uint32_t color = 0;      // red + 256 green + 65536 blue
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const CPptxCharFormat &) const = default;
};

struct CPptxRun
{
    QString text;            // a soft line break is U+000B, as the presentation program gives it
    CPptxCharFormat format;
};

struct CPptxParagraph
{
    std::vector<CPptxRun> runs;
    int level = 0;           // 0-based outline level
    int alignment = 1;       // 1 left, 2 centre, 3 right, 4 justify, 5 distributed
    int bulletType = 0;      // 0 none, 1 unnumbered, 2 numbered, 3 picture
    CPptxCharFormat endFormat; // of the paragraph mark
};

// Shape type numbers as the presentation program's object model counts them.
enum PptxShapeType {
    kPptxAutoShape = 1,
    kPptxChart = 3,
    kPptxGroup = 6,
    kPptxEmbeddedObject = 7,
    kPptxLine = 9,
    kPptxPicture = 13,
    kPptxPlaceholder = 14,
    kPptxMedia = 16,
    kPptxTextBox = 17,
    kPptxTable = 19,
    kPptxSmartArt = 24,
};

// Placeholder type numbers of the same object model; kPptxNoPlaceholder for an ordinary shape.
enum PptxPlaceholderType {
    kPptxNoPlaceholder = 0,
    kPptxPhTitle = 1,
    kPptxPhBody = 2,
    kPptxPhCenterTitle = 3,
    kPptxPhSubtitle = 4,
    kPptxPhObject = 7,
    kPptxPhChart = 8,
    kPptxPhBitmap = 9,
    kPptxPhMedia = 10,
    kPptxPhOrgChart = 11,
    kPptxPhTable = 12,
    kPptxPhSlideNumber = 13,
    kPptxPhHeader = 14,
    kPptxPhFooter = 15,
    kPptxPhDate = 16,
    kPptxPhPicture = 18,
    kPptxPhSlideImage = 101, // the notes page's image of its slide
};

struct CPptxShape
{
    int type = kPptxAutoShape;
    QString name;
    double left = 0, top = 0, width = 0, height = 0; // points
    bool hasTextFrame = false;
    int placeholderType = kPptxNoPlaceholder;
    std::vector<CPptxParagraph> paragraphs;
    QString imagePart;       // the package part of a picture's image, empty when none

    // The whole text: paragraphs separated by "\r".
    QString Text() const;
    int CharacterCount() const { return int(Text().size()); }
    bool HasText() const { return !Text().isEmpty(); }
    // Alignment of the whole text; paragraphs that differ count as left.
    int Alignment() const;
    // Bullet type of the whole text; -2 when the paragraphs differ.
    int BulletType() const;
    // Lines the text takes at the shape's width, estimated from its run sizes.
    int LineCount() const;
    // One format per character of Text(); a paragraph mark takes the format of its paragraph's end.
    std::vector<CPptxCharFormat> CharacterFormats() const;
};

struct CPptxSlide
{
    std::vector<CPptxShape> shapes;      // in z-order
    std::vector<CPptxShape> notesShapes; // of its notes page, empty without one
};

// A .pptx presentation read into the values a slide exporter asks of it: slides in order, shapes with their
// positions, texts and formats resolved through the layout, the master, its theme and the presentation's
// defaults, notes, and the image parts of pictures.
class CPptxPresentation
{
public:
    // A slide, layout, master or notes part larger than this is refused before it is read: parsed, it would
    // take many times its size in memory, and no real slide comes near it.
    static constexpr qint64 kMaxSlidePart = 16ll << 20;

    ~CPptxPresentation();

    // nullptr and a message when the file is no presentation or is damaged beyond reading its slides.
    static std::unique_ptr<CPptxPresentation> Open(const QString &path, QString *error);

    double SlideWidth() const { return m_slideWidth; }   // points
    double SlideHeight() const { return m_slideHeight; }
    const std::vector<CPptxSlide> &Slides() const { return m_slides; }

    // Writes a picture's image as PNG; false when it cannot be read, decoded or written.
    bool ExportPicture(const CPptxShape &shape, const QString &pngPath, QString *error) const;

private:
    CPptxPresentation();
    class Reader;

    std::unique_ptr<COoxmlPackage> m_package;
    double m_slideWidth = 720;
    double m_slideHeight = 540;
    std::vector<CPptxSlide> m_slides;
};
