#include "editor/CanvasComponentPainter.h"
#include "platform/richtext/FontFallback.h"

#include "editor/ComponentPainter.h"
#include "editor/QuestionLayouts.h"
#include "image/qt/ImageQt.h"

#include "model/ColorRef.h"
#include "model/ComponentAudio.h"
#include "model/ComponentCompleteParagraph.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentImage.h"
#include "model/ComponentLikert.h"
#include "model/ComponentMatchPairs.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentPartIdentification.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentVideo.h"
#include "model/ComponentYouTube.h"
#include "model/RichTextLinks.h"
#include "platform/richtext/RichText.h"

#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace CanvasComponentPainter {

namespace {


} // namespace

QFont FontOf(const CCharFormat &format)
{
    QFont font;
    FontFallback::Apply(font, format.face);
    // Pixels at 96 dots per inch, whatever the device: thumbnails and windows then lay out alike.
    font.setPixelSize(std::max(1, int(std::lround(std::max(1, format.height) / 20.0 * 96.0 / 72.0))));
    font.setBold(format.Has(CFE_BOLD));
    font.setItalic(format.Has(CFE_ITALIC));
    font.setUnderline(format.Has(CFE_UNDERLINE) || format.Has(CFE_LINK));
    font.setStrikeOut(format.Has(CFE_STRIKEOUT));
    return font;
}

namespace {

QFont PlainFont(int pixels = 13)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    return font;
}

Qt::Alignment AlignmentOf(int alignment)
{
    switch (alignment) {
    case PFA_RIGHT: return Qt::AlignRight;
    case PFA_CENTER: return Qt::AlignHCenter;
    case PFA_JUSTIFY: return Qt::AlignJustify;
    default: return Qt::AlignLeft;
    }
}

// A one-pixel black frame on white, as the question and text-box windows paint their client area.
void Frame(QPainter &painter, const QRect &r)
{
    painter.fillRect(r, Qt::white);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
}

void PaintTextbox(QPainter &painter, const CComponentTextbox &textbox, const QRect &r)
{
    Frame(painter, r);
    PaintRichText(painter, textbox.GetRichText(), r.adjusted(kTextInset, kTextInset, -kTextInset, -kTextInset));
}

void PaintTable(QPainter &painter, const CComponentTable &table, const QRect &r)
{
    const int rows = std::max(1, table.GetRowCount());
    const int columns = std::max(1, table.GetColumnCount());
    if (table.GetSetColours())
        painter.fillRect(r, ColorFromColorRef(table.GetTableBackground()));
    else
        painter.fillRect(r, Qt::white);
    const auto &cells = table.GetCellList();
    QPen cellPen(table.GetSetColours() ? ColorFromColorRef(table.GetCellBorderColour()) : QColor(Qt::black),
                 std::max(1, table.GetCellBorderThickness()));
    for (int row = 0; row < rows; ++row) {
        const int top = r.top() + r.height() * row / rows;
        const int bottom = r.top() + r.height() * (row + 1) / rows;
        for (int column = 0; column < columns; ++column) {
            const int left = r.left() + r.width() * column / columns;
            const int right = r.left() + r.width() * (column + 1) / columns;
            const QRect cell(left, top, right - left, bottom - top);
            if (row == 0 && table.GetHeaderKind() != 0 && table.GetSetColours())
                painter.fillRect(cell, ColorFromColorRef(table.GetHeaderBackground()));
            painter.setPen(cellPen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
            const size_t index = size_t(row * columns + column);
            if (index < cells.size()) {
                const int pad = std::max(2, table.GetCellPadding());
                PaintRichText(painter, cells[index].GetRichText(), cell.adjusted(pad, pad, -pad, -pad));
            }
        }
    }
    if (table.GetBorderWidth() > 0) {
        painter.setPen(QPen(table.GetSetColours() ? ColorFromColorRef(table.GetTableBorderColour()) : QColor(Qt::black),
                            table.GetBorderWidth()));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    }
}

// A box of a question window as the screen pictures show it: the rectangle with the current pen and brush,
// its text inset 5 pixels, neither wrapped nor spilling out.
void Box(QPainter &painter, const CRect &box, const QPoint &origin, const QString *text = nullptr)
{
    const QRect r = box.ToQRect().translated(origin);
    if (r.width() <= 0 || r.height() <= 0)
        return;
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    if (text)
        painter.drawText(r.adjusted(kTextInset, kTextInset, -kTextInset, -kTextInset), Qt::AlignLeft | Qt::AlignTop,
                         *text);
}

void PaintMultipleChoice(QPainter &painter, const CComponentMultipleChoice &question, const QRect &r)
{
    namespace L = QuestionLayouts;
    const auto &v = question.GetValues();
    Frame(painter, r);
    SMultipleChoiceValues::Options options = v.m_options;
    const int n = L::CountOptions(options);
    const L::MultipleChoice layout = L::LayoutMultipleChoice(r.width(), r.height(), n, v.m_trueFalse != 0);
    Box(painter, L::MultipleChoiceThumbnailStem(r.width(), r.height(), n), r.topLeft(), &v.m_stem);
    for (int i = 0; i < n; ++i)
        Box(painter, layout.options[size_t(i)], r.topLeft(), &options[size_t(i)]);
}

void PaintCompleteParagraph(QPainter &painter, const CComponentCompleteParagraph &question, const QRect &r)
{
    const auto &v = question.GetValues();
    Frame(painter, r);
    const auto layout = QuestionLayouts::LayoutCompleteParagraph(r.width(), r.height());
    Box(painter, layout.question, r.topLeft(), &v.m_instruction);
    for (size_t i = 0; i < layout.words.size(); ++i)
        Box(painter, layout.words[i], r.topLeft(), &v.m_words[i]);
    Box(painter, layout.paragraph, r.topLeft(), &v.m_paragraph);
}

void PaintFillBlanks(QPainter &painter, const CComponentFillBlanks &question, const QRect &r)
{
    const auto &v = question.GetValues();
    Frame(painter, r);
    const auto layout = QuestionLayouts::LayoutFillBlanks(r.width(), r.height());
    Box(painter, layout.instruction, r.topLeft(), &v.m_instruction);
    Box(painter, layout.question, r.topLeft(), &v.m_questionText);
    for (size_t i = 0; i < layout.answers.size(); ++i)
        Box(painter, layout.answers[i], r.topLeft(), &v.m_words[i]);
}

void PaintMatchPairs(QPainter &painter, const CComponentMatchPairs &question, const QRect &r)
{
    const auto &v = question.GetValues();
    Frame(painter, r);
    const auto layout = QuestionLayouts::LayoutMatchPairs(r.width(), r.height());
    Box(painter, layout.question, r.topLeft(), &v.m_questionText);
    const QString zoom = QString::fromLatin1(QuestionLayouts::kZoomThumbnailCaption);
    Box(painter, layout.zoom, r.topLeft(), &zoom);
    for (size_t i = 0; i < layout.leftTexts.size(); ++i) {
        Box(painter, layout.leftTexts[i], r.topLeft(), &v.m_leftTexts[i]);
        Box(painter, layout.rightTexts[i], r.topLeft(), &v.m_rightTexts[i]);
    }
}

void PaintLikert(QPainter &painter, const CComponentLikert &likert, const QRect &r)
{
    const auto &v = likert.GetValues();
    Frame(painter, r);
    const bool horizontal = v.m_horizontal != 0;
    const auto layout = QuestionLayouts::LayoutLikertThumbnail(r.width(), r.height(), horizontal);
    Box(painter, layout.question, r.topLeft(), &v.m_questionText);
    painter.drawImage(layout.picture.ToQRect().translated(r.topLeft()), SliderPicture(horizontal));
}

void PaintPartIdentification(QPainter &painter, const CComponentPartIdentification &question, const QRect &r)
{
    Frame(painter, r);
    const auto layout = QuestionLayouts::LayoutPartIdentificationThumbnail(r.width(), r.height());
    Box(painter, layout.question, r.topLeft(), &question.GetQuestionText());
    const QRect area = layout.picture.ToQRect().translated(r.topLeft());
    painter.fillRect(area, Qt::white);
    if (question.GetPicture().IsValid()) {
        // As the picture window lays it out; what does not fit the area is cut off.
        painter.save();
        painter.setClipRect(area, Qt::IntersectClip);
        painter.drawImage(question.GetImageRect().ToQRect().translated(area.topLeft()), toQImage(question.GetPicture()));
        painter.restore();
    }
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}

} // namespace

bool IsDrawnKind(int type)
{
    switch (type) {
    case ct_button:
    case ct_link:
    case ct_media:
    case ct_remediation:
        return false;
    default:
        return type >= 0 && type < kComponentTypeCount;
    }
}

QImage SliderPicture(bool horizontal)
{
    constexpr int kLength = QuestionLayouts::Likert::kLength;
    constexpr int kThickness = QuestionLayouts::Likert::kThickness;
    // A track with eleven ticks and the knob at its start, drawn once along x and turned for the vertical one.
    static const QImage along = [] {
        QImage image(kLength, kThickness, QImage::Format_ARGB32_Premultiplied);
        image.fill(QColor(240, 240, 240));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        const int y = kThickness / 2;
        p.setPen(QPen(QColor(120, 120, 120), 1));
        p.setBrush(QColor(200, 200, 200));
        p.drawRoundedRect(QRectF(8, y - 3, kLength - 16, 6), 3, 3);
        for (int i = 0; i <= 10; ++i) {
            const int x = 8 + (kLength - 17) * i / 10;
            p.drawLine(x, y + 6, x, y + 11);
        }
        p.setBrush(QColor(60, 110, 200));
        p.setPen(QPen(QColor(30, 60, 120), 1));
        p.drawRoundedRect(QRectF(3, 3, 12, kThickness - 6), 3, 3);
        return image;
    }();
    // Vertically the knob sits at the bottom, the start of the scale.
    static const QImage across = along.transformed(QTransform().rotate(-90));
    return horizontal ? along : across;
}

void PaintRichText(QPainter &painter, const CRichText &text, const QRect &rect)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    QTextDocument document;
    document.setDocumentMargin(0);
    document.setUndoRedoEnabled(false);
    document.setTextWidth(rect.width());
    QTextCursor cursor(&document);
    for (int p = 0; p < text.GetParagraphCount(); ++p) {
        const int start = text.ParagraphStart(p);
        const int end = text.ParagraphEnd(p);
        QTextBlockFormat block;
        const CParaFormat &para = text.GetParaFormatAt(start);
        block.setAlignment(AlignmentOf(para.alignment));
        block.setLeftMargin(std::max(0, para.startIndent) / 15.0);
        if (p == 0)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block);
        if (para.numbering != 0)
            cursor.insertText(QStringLiteral("\u2022 "), QTextCharFormat());
        int runStart = start;
        while (runStart < end) {
            const CCharFormat &format = text.GetCharFormatAt(runStart);
            int runEnd = runStart + 1;
            while (runEnd < end && text.GetCharFormatAt(runEnd).SameValues(format))
                ++runEnd;
            if (!format.Has(CFE_HIDDEN)) {
                QTextCharFormat shown;
                shown.setFont(FontOf(format));
                shown.setForeground(format.Has(CFE_AUTOCOLOR) ? QColor(Qt::black) : ColorFromColorRef(format.colour));
                if (format.offset != 0)
                    shown.setVerticalAlignment(format.offset > 0 ? QTextCharFormat::AlignSuperScript
                                                                 : QTextCharFormat::AlignSubScript);
                QString run = text.GetTextRange(runStart, runEnd);
                run.replace(CRichText::kLineBreak, QChar(QChar::LineSeparator));
                cursor.insertText(run, shown);
            }
            runStart = runEnd;
        }
    }
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.translate(rect.topLeft());
    document.drawContents(&painter, QRectF(0, 0, rect.width(), rect.height()));
    painter.restore();
}

void Paint(QPainter &painter, CComponentBase &component)
{
    const int type = component.GetType();
    if (!IsDrawnKind(type))
        return;
    const QRect r = component.GetBounds().ToQRect();
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.setFont(PlainFont());
    switch (type) {
    case ct_audio:
        ComponentPainter::PaintAudio(painter, static_cast<CComponentAudio &>(component), r, ComponentPainter::Look::Picture);
        break;
    case ct_video:
    case ct_flash_question:
    case ct_flash_video:
        ComponentPainter::PaintVideo(painter, static_cast<CComponentVideo &>(component), r, ComponentPainter::Look::Picture);
        break;
    case ct_youtube:
        ComponentPainter::PaintYouTube(painter, r);
        break;
    case ct_textbox:
        PaintTextbox(painter, static_cast<CComponentTextbox &>(component), r);
        break;
    case ct_table:
        PaintTable(painter, static_cast<CComponentTable &>(component), r);
        break;
    case ct_multiple_choice:
        PaintMultipleChoice(painter, static_cast<CComponentMultipleChoice &>(component), r);
        break;
    case ct_complete_paragraph:
        PaintCompleteParagraph(painter, static_cast<CComponentCompleteParagraph &>(component), r);
        break;
    case ct_fill_blanks:
        PaintFillBlanks(painter, static_cast<CComponentFillBlanks &>(component), r);
        break;
    case ct_match_pairs:
        PaintMatchPairs(painter, static_cast<CComponentMatchPairs &>(component), r);
        break;
    case ct_part_identification:
        PaintPartIdentification(painter, static_cast<CComponentPartIdentification &>(component), r);
        break;
    case ct_likert:
        PaintLikert(painter, static_cast<CComponentLikert &>(component), r);
        break;
    case ct_image: {
        auto &image = static_cast<CComponentImage &>(component);
        if (image.GetDisplayImage().isNull())
            image.BuildDisplayBitmap();
        image.Draw(painter);
        break;
    }
    default:
        component.Draw(painter);
        break;
    }
    painter.restore();
}

} // namespace CanvasComponentPainter
