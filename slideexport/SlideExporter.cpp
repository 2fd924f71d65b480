#include "slideexport/SlideExporter.h"

#include "platform/Escape.h"
#include "platform/ooxml/PptxPresentation.h"

#include <QFile>
#include <QSaveFile>

#include <charconv>
#include <cmath>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString Flag(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

// Sizes are written as integers with halves going to the even neighbour, as the object model rounds them.
int RoundHalfEven(double value)
{
    return int(std::nearbyint(value));
}

struct RunFormat
{
    QString name;
    int size = 0;
    uint32_t color = 0;
    bool italic = false, bold = false, underline = false;
    bool operator==(const RunFormat &) const = default;
};

RunFormat FormatOf(const CPptxCharFormat &f)
{
    return {f.fontName, RoundHalfEven(f.size), f.color, f.italic, f.bold, f.underline};
}

} // namespace

QString CSlideExporter::ParaFormatAlignment(const CPptxShape &shape)
{
    switch (shape.Alignment()) {
    case 2:
        return QStringLiteral("AlignCenter");
    case 3:
        return QStringLiteral("AlignRight");
    default:
        return QStringLiteral("AlignLeft");
    }
}

QString CSlideExporter::ParaFormat(const CPptxShape &shape)
{
    switch (shape.BulletType()) {
    case -2:
        return QStringLiteral("bulletmixed");
    case 1:
        return QStringLiteral("bulletunnumbered");
    case 2:
        return QStringLiteral("bulletnumbered");
    case 3:
        return QStringLiteral("bulletpicture");
    default:
        return QStringLiteral("none");
    }
}

QString CSlideExporter::PlaceholderFormat(const CPptxShape &shape)
{
    switch (shape.placeholderType) {
    case kPptxPhTitle:
    case kPptxPhCenterTitle:
        return QStringLiteral("Title");
    case kPptxPhBody:
        return QStringLiteral("Body");
    case kPptxPhSubtitle:
        return QStringLiteral("Subtitle");
    default:
        return QStringLiteral("Other");
    }
}

QString CSlideExporter::Number(double points)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, float(points), std::chars_format::fixed);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

bool CSlideExporter::IsSpeakerNote(const CPptxShape &shape)
{
    // The notes page also holds the slide's image and the number, date, header and footer placeholders:
    // only the body placeholder is what the speaker wrote.
    return shape.hasTextFrame && shape.placeholderType == kPptxPhBody && !shape.Text().trimmed().isEmpty();
}

QString CSlideExporter::OutputPath(const QString &outputFolder)
{
    return outputFolder + QStringLiteral("/slides.export.xml");
}

QString CSlideExporter::TextFragments(const CPptxShape &shape) const
{
    const QString head = QStringLiteral("<alignment>%1</alignment><paragraph-format>%2</paragraph-format>"
                                        "<line-count>%3</line-count><format>%4</format>")
                             .arg(ParaFormatAlignment(shape), ParaFormat(shape))
                             .arg(shape.LineCount())
                             .arg(PlaceholderFormat(shape));
    // The shape's characters in pieces of one format each: the runs, with each paragraph mark between them
    // in the format of its paragraph's end. Pieces of equal format are written as one fragment, so a run of
    // characters never needs a format of its own (a slide of millions of characters stays small in memory).
    QString out;
    QString pending;
    RunFormat format;
    const auto flush = [&] {
        if (pending.isEmpty())
            return;
        out += QStringLiteral("<fragment>") + kCrLf;
        out += QStringLiteral("<font-name>%1</font-name><font-size>%2</font-size><font-color>%3</font-color>")
                   .arg(CorvEscape::XmlText(format.name))
                   .arg(format.size)
                   .arg(format.color);
        out += QStringLiteral("<font-is-italic>%1</font-is-italic><font-is-bold>%2</font-is-bold>"
                              "<font-is-underline>%3</font-is-underline><font-is-normal>%4</font-is-normal>")
                   .arg(Flag(format.italic), Flag(format.bold), Flag(format.underline),
                        Flag(!format.italic && !format.bold && !format.underline));
        out += head + kCrLf;
        out += QStringLiteral("<text>") + m_substitutions.ApplySubstitutions(pending) + QStringLiteral("</text>") + kCrLf;
        out += QStringLiteral("</fragment>") + kCrLf;
        pending.clear();
    };
    const auto piece = [&](const QString &text, const CPptxCharFormat &charFormat) {
        if (text.isEmpty())
            return;
        const RunFormat f = FormatOf(charFormat);
        if (!pending.isEmpty() && !(f == format))
            flush();
        format = f;
        pending += text;
    };
    for (size_t i = 0; i < shape.paragraphs.size(); ++i) {
        if (i)
            piece(QStringLiteral("\r"), shape.paragraphs[i - 1].endFormat);
        for (const CPptxRun &run : shape.paragraphs[i].runs)
            piece(run.text, run.format);
    }
    flush();
    return out;
}

QString CSlideExporter::ExportXml(const CPptxPresentation &presentation, const QString &presentationPath,
                                  const QString &outputFolder)
{
    QString base = presentationPath;
    base = base.mid(int(std::max(base.lastIndexOf(u'/'), base.lastIndexOf(u'\\'))) + 1) + u'_';
    int counter = 0;
    QString xml = QStringLiteral("<?xml version=\"1.0\"?>") + kCrLf + QStringLiteral("<doc>") + kCrLf;
    for (const CPptxSlide &slide : presentation.Slides()) {
        xml += QStringLiteral("<page>") + kCrLf;
        for (const CPptxShape &shape : slide.shapes) {
            xml += QStringLiteral("\t<object>") + kCrLf;
            xml += QStringLiteral("<rect><left>%1</left><top>%2</top><width>%3</width><height>%4</height></rect>")
                       .arg(Number(shape.left), Number(shape.top), Number(shape.width), Number(shape.height))
                   + kCrLf;
            const bool textKind = shape.hasTextFrame
                                  && (shape.type == kPptxAutoShape || shape.type == kPptxPlaceholder
                                      || shape.type == kPptxTextBox);
            // A picture put into a content placeholder is a picture all the same.
            const bool pictureKind = shape.type == kPptxPicture
                                     || (shape.type == kPptxPlaceholder && !shape.imagePart.isEmpty());
            if (textKind) {
                xml += QStringLiteral("<type>Text</type>") + kCrLf + TextFragments(shape);
            } else if (pictureKind) {
                const QString path = outputFolder + u'/' + base + QStringLiteral("picture")
                                     + QString::number(counter++) + QStringLiteral(".png");
                QString error;
                if (!presentation.ExportPicture(shape, path, &error))
                    m_warnings.append(error);
                xml += QStringLiteral("<type>Picture</type>") + kCrLf + QStringLiteral("<fragment>") + kCrLf
                       + QStringLiteral("<text>") + CorvEscape::XmlText(path) + QStringLiteral("</text>") + kCrLf
                       + QStringLiteral("</fragment>") + kCrLf;
            } else {
                xml += kCrLf + QStringLiteral("<warning>unhandled shape type %1</warning>").arg(shape.type) + kCrLf;
            }
            xml += QStringLiteral("\t</object>") + kCrLf;
        }
        for (const CPptxShape &note : slide.notesShapes) {
            if (IsSpeakerNote(note))
                xml += QStringLiteral("<note>") + m_substitutions.ApplySubstitutions(note.Text())
                       + QStringLiteral("</note>") + kCrLf;
        }
        xml += QStringLiteral("</page>") + kCrLf;
    }
    xml += QStringLiteral("</doc>");
    return xml;
}

bool CSlideExporter::ExportSlatewright(const QString &presentationPath, const QString &outputFolder, QString *error)
{
    const QString outputPath = OutputPath(outputFolder);
    // The output is tried before anything is exported, so an unwritable folder leaves no pictures behind.
    {
        QSaveFile probe(outputPath);
        if (!probe.open(QIODevice::WriteOnly)) {
            *error = QStringLiteral("Couldn't create the file: ") + outputPath + QStringLiteral("\r\nPlease try again.");
            return false;
        }
        probe.cancelWriting();
    }
    const auto presentation = CPptxPresentation::Open(presentationPath, error);
    if (!presentation)
        return false;
    const QByteArray xml = (ExportXml(*presentation, presentationPath, outputFolder) + kCrLf).toUtf8();
    if (xml.size() > kMaxOutputBytes) {
        *error = QStringLiteral("The file \"%1\" is too large to import: its slides make more than %2 MB of slide XML.")
                     .arg(presentationPath)
                     .arg(kMaxOutputBytes >> 20);
        return false;
    }
    QSaveFile file(outputPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(xml) < 0 || !file.commit()) {
        *error = QStringLiteral("Couldn't create the file: ") + outputPath + QStringLiteral("\r\nPlease try again.");
        return false;
    }
    return true;
}
