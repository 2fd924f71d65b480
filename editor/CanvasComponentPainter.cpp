#include "editor/CanvasComponentPainter.h"

#include "editor/ComponentPainter.h"

#include "model/ColorRef.h"
#include "model/ComponentAudio.h"
#include "model/ComponentCompleteParagraph.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentImage.h"
#include "model/ComponentLikert.h"
#include "model/ComponentMultipleChoice.h"
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

constexpr int kTextInset = 5;

QFont FontOf(const CCharFormat &format)
{
    QFont font(format.face.isEmpty() ? QStringLiteral("Arial") : format.face);
    // Pixels at 96 dots per inch, whatever the device: thumbnails and windows then lay out alike.
    font.setPixelSize(std::max(1, int(std::lround(std::max(1, format.height) / 20.0 * 96.0 / 72.0))));
    font.setBold(format.Has(CFE_BOLD));
    font.setItalic(format.Has(CFE_ITALIC));
    font.setUnderline(format.Has(CFE_UNDERLINE) || format.Has(CFE_LINK));
    font.setStrikeOut(format.Has(CFE_STRIKEOUT));
    return font;
}

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

void Text(QPainter &painter, const QRect &box, const QString &text, int flags = Qt::TextWordWrap)
{
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | flags, text);
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

void PaintMultipleChoice(QPainter &painter, const CComponentMultipleChoice &question, const QRect &r)
{
    const auto &v = question.GetValues();
    Frame(painter, r);
    painter.setFont(PlainFont());
    const int unit = std::max(12, r.height() / 14);
    Text(painter, QRect(r.left() + kTextInset, r.top() + kTextInset, r.width() - 2 * kTextInset, 2 * unit), v.m_stem);
    Text(painter, QRect(r.left() + kTextInset, r.top() + 2 * unit + kTextInset, r.width() - 2 * kTextInset, unit),
         v.m_instruction, Qt::TextSingleLine);
    const int options = v.m_trueFalse ? 2 : SMultipleChoiceValues::kOptions;
    for (int i = 0; i < options; ++i) {
        const int top = r.top() + (4 + 2 * i) * unit;
        const QRect mark(r.left() + 10, top + 2, 12, 12);
        if (v.m_singleAnswer)
            painter.drawEllipse(mark);
        else
            painter.drawRect(mark);
        const QRect box(r.left() + 30, top, r.width() - 40, unit + unit / 2);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        Text(painter, box.adjusted(kTextInset, 1, -kTextInset, 0), v.m_options[size_t(i)], Qt::TextSingleLine);
    }
}

void PaintWordsQuestion(QPainter &painter, const QRect &r, const QString &instruction, const QString &body,
                        const SQuestionValues::Words &words)
{
    Frame(painter, r);
    painter.setFont(PlainFont());
    const int unit = std::max(12, r.height() / 14);
    const QRect first(r.left() + 10, r.top() + 10, r.width() - 20, 2 * unit);
    painter.drawRect(first.adjusted(0, 0, -1, -1));
    Text(painter, first.adjusted(kTextInset, kTextInset, -kTextInset, -kTextInset), instruction);
    const QRect second(r.left() + 10, first.bottom() + 10, r.width() - 20, 7 * unit);
    painter.drawRect(second.adjusted(0, 0, -1, -1));
    Text(painter, second.adjusted(kTextInset, kTextInset, -kTextInset, -kTextInset), body);
    QStringList shown;
    for (const QString &word : words)
        if (!word.isEmpty())
            shown.append(word);
    const QRect third(r.left() + 10, second.bottom() + 10, r.width() - 20, std::max(0, r.bottom() - second.bottom() - 20));
    painter.drawRect(third.adjusted(0, 0, -1, -1));
    Text(painter, third.adjusted(kTextInset, kTextInset, -kTextInset, -kTextInset), shown.join(QStringLiteral("   ")));
}

void PaintLikert(QPainter &painter, const CComponentLikert &likert, const QRect &r)
{
    const auto &v = likert.GetValues();
    Frame(painter, r);
    painter.setFont(PlainFont());
    Text(painter, QRect(r.left() + kTextInset, r.top() + kTextInset, r.width() - 2 * kTextInset, r.height() / 2 - kTextInset),
         v.m_questionText);
    const int y = r.top() + r.height() * 2 / 3;
    const int left = r.left() + 20;
    const int right = r.right() - 20;
    painter.drawLine(left, y, right, y);
    const int markers = std::clamp(v.m_markers, 1, 100);
    for (int i = 0; i <= markers; ++i) {
        const int x = left + (right - left) * i / markers;
        painter.drawLine(x, y - 4, x, y + 4);
    }
    painter.setBrush(QColor(80, 80, 80));
    painter.drawRect(QRect(left - 5, y - 8, 10, 16));
    const QRect labels(left, y + 8, right - left, 20);
    painter.drawText(labels, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, v.m_startLabel);
    painter.drawText(labels, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine, v.m_endLabel);
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
    case ct_complete_paragraph: {
        const auto &v = static_cast<CComponentCompleteParagraph &>(component).GetValues();
        PaintWordsQuestion(painter, r, v.m_instruction, v.m_paragraph, v.m_words);
        break;
    }
    case ct_fill_blanks: {
        const auto &v = static_cast<CComponentFillBlanks &>(component).GetValues();
        PaintWordsQuestion(painter, r, v.m_instruction, v.m_questionText, v.m_words);
        break;
    }
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
