#include "publish/ScreenPanels.h"

#include "model/ComponentCompleteParagraph.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentLikert.h"
#include "model/ComponentMatchPairs.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentPartIdentification.h"
#include "model/CorvPage.h"
#include "model/PictureFiles.h"
#include "model/PlaceholderTemplate.h"
#include "platform/Escape.h"
#include "platform/PathUtil.h"

namespace CorvScreenPanels {

namespace {

const QString kBlank = QStringLiteral("****");
const QString kBreak = QStringLiteral("<br>");

// The frames around the upper panel, written before the question's text.
const QString kLargeFrame = QStringLiteral("\"<div id='panellarge'>\" +\n"
                                           "\"<div id='upperpanel'>&nbsp;</div>\" +\n"
                                           "\"<div id='upperpanellarge'>\" +\n");
const QString kSmallFrame = QStringLiteral("\"<div id='panelsmall'>\" +\n"
                                           "\"<div id='upperpanel'>&nbsp;</div>\" +\n"
                                           "\"<div id='upperpanelsmall'>\" +\n");
// Closes the upper panels and opens the lower ones.
const QString kUpperEnd = QStringLiteral("\"</div>\" +\n\"</div>\" +\n");
const QString kLowerStart = QStringLiteral("\"<div id='panellower'>\" +\n\"<div id='lowerpanel'>\" +\n");
const QString kSubmit = QStringLiteral("\"<a id='done' title='submit response'></a>\" +\n");
// The submit anchor and the two closings that end most panels.
const QString kPanelEnd = kSubmit + QStringLiteral("\"</div>\" +\n\"</div>\"");

// The question's text for an upper panel (inside a script string literal): shown as typed, each paragraph
// end a line break of the page.
QString StemText(const QString &text)
{
    QString html = CorvEscape::HtmlText(text);
    html.replace(u'\r', kBreak);
    html.remove(u'\n');
    return CorvEscape::ScriptLiteral(html);
}

// An answer, option or word of the lower panel, shown as typed.
QString AnswerText(const QString &text) { return CorvEscape::ScriptLiteral(CorvEscape::HtmlText(text)); }

// A paragraph of a complete-the-paragraph question: carriage returns dropped, line feeds as line breaks.
QString ParagraphText(QString text)
{
    text.remove(u'\r');
    QString html = CorvEscape::HtmlText(text);
    html.replace(u'\n', kBreak);
    return CorvEscape::ScriptLiteral(html);
}

// The text with each blank replaced by the markup made for its number, the pieces around them converted
// by the rule.
template <class Rule, class Markup>
QString WithBlanks(const QString &text, Rule rule, Markup markup)
{
    const QStringList pieces = SplitAtBlanks(text);
    QString out = rule(pieces.front());
    for (qsizetype k = 1; k < pieces.size(); ++k)
        out += markup(int(k - 1)) + rule(pieces[k]);
    return out;
}

void CompleteParagraphToHtml(CComponentCompleteParagraph &question, QString &out)
{
    out = kSmallFrame + QStringLiteral("    \"<p class='stem'>\" +\n\"") + StemText(question.GetInstruction()) +
          QStringLiteral("\" +\n\"</p>\" +\n") + kUpperEnd;
    QStringList indices;
    question.GetAnswerIndexList(indices);
    const CComponentQuestion::Words &words = question.GetMissingWords();
    for (qsizetype k = 0; k < indices.size(); ++k) {
        const int index = indices[k].toInt();
        const QString word = index >= 0 && index < CComponentQuestion::kSlots ? words[size_t(index)] : QString();
        out += QStringLiteral("\"<div id='drag%1' class='drag'>").arg(k) + AnswerText(word) +
               QStringLiteral("</div>\" +\n");
    }
    const auto target = [](int k) { return QStringLiteral("<div id='target%1' class='cpTarget'>&nbsp;</div>").arg(k); };
    out += kLowerStart + QStringLiteral("\"<div class='question2'>\" +\n\"") +
           WithBlanks(question.GetQuestionText(), ParagraphText, target) + QStringLiteral("\" +\n\"</div>\" +\n") +
           kPanelEnd;
}

void FillBlanksToHtml(CComponentFillBlanks &question, QString &out)
{
    const auto input = [](int k) {
        return QStringLiteral("<input class='in' type='text' name='option%1' id='option%1'>").arg(k);
    };
    QString text = WithBlanks(question.GetQuestionText(), StemText, input);
    const QString doubleBreak = kBreak + kBreak;
    while (text.contains(doubleBreak))
        text.replace(doubleBreak, kBreak);
    out = kLargeFrame + QStringLiteral("    \"<p class='stem'>\" +\n\"") + StemText(question.GetInstruction()) +
          QStringLiteral("</p>\" +\n") + kUpperEnd + kLowerStart + QStringLiteral("\"<div class='question3'>\" +\n\"") +
          text + QStringLiteral("</div>\" +\n") + kPanelEnd;
}

QString StemParagraph(const QString &text)
{
    return QStringLiteral("\"<p class='stem'>") + StemText(text) + QStringLiteral("</p>\" +\n");
}

void MultipleChoiceToHtml(const CComponentMultipleChoice &question, QString &out)
{
    // The options up to the last one that holds more than white space, that one written trimmed. The
    // trimming is done on a copy: publishing never changes the author's texts.
    CComponentMultipleChoice::Options options = question.GetOptions();
    int count = CComponentMultipleChoice::kOptions;
    while (count > 0) {
        QString &option = options[size_t(count - 1)];
        option = option.trimmed();
        if (!option.isEmpty())
            break;
        --count;
    }
    out = kLargeFrame;
    if (question.m_trueFalse)
        out += StemParagraph(question.GetInstruction());
    out += StemParagraph(question.GetQuestionText()) + kUpperEnd + kLowerStart;
    for (int k = 0; k < count; ++k)
        out += QStringLiteral("\"<div class='mcBtn' id='img%1'></div>\" +\n").arg(k);
    for (int k = 0; k < count; ++k)
        out += QStringLiteral("\"<a id='option%1' class='questionMC' title=''>\" +\n\"<span id='mc%1' class='mc'>")
                   .arg(k) +
               AnswerText(options[size_t(k)]) + QStringLiteral("</span>\" +\n\"</a>\" +\n");
    out += kPanelEnd;
}

// A pair picture's element, named as saving the project names its thumbnail; "" without a picture.
QString PairPicture(const CComponentMatchPairs &question, const QString &file, QChar side, int slot)
{
    if (file.isEmpty())
        return QString();
    const QString label = question.GetOwnerPage() ? question.GetOwnerPage()->GetLabel() : QString();
    const QString name = PictureFiles::SafeName(label + side + QString::number(slot)).toLower();
    if (name.isEmpty())
        return QString();
    return QStringLiteral("\"<img src='images/questions/") +
           CPlaceholderTemplate::AttributeValue(name + QStringLiteral(".png")) +
           QStringLiteral("' style='width:40px; height:40px;' alt=''>\" +\n");
}

// One side of a pair: its anchor with the text and the picture in the side's order; "" when it has neither.
QString PairAnchor(const QString &opening, const QString &text, const QString &picture, bool pictureFirst)
{
    if (text.isEmpty() && picture.isEmpty())
        return QString();
    const QString shownText = text.isEmpty() ? QString() : u'"' + AnswerText(text) + QStringLiteral("\" +\n");
    return opening + (pictureFirst ? picture + shownText : shownText + picture) + QStringLiteral("\"</a>\" +\n");
}

void MatchPairsToHtml(CComponentMatchPairs &question, QString &out)
{
    out = kLargeFrame + QStringLiteral("\"<p class='stem'>\" +\n\"") + StemText(question.GetQuestionText()) +
          QStringLiteral("</p>\" +\n") + kUpperEnd + kLowerStart;
    // The pairs that are there (a left text or picture), in slot order and numbered from 0 whatever slots
    // lie empty between them; the pictures keep the names of their slots.
    QString options;
    QString targets;
    int k = 0;
    for (int slot = 0; slot < CComponentMatchPairs::kPairs; ++slot) {
        const size_t i = size_t(slot);
        if (question.GetLeftTexts()[i].isEmpty() && question.GetLeftImages()[i].isEmpty())
            continue;
        options +=
            PairAnchor(QStringLiteral("\"<a id='option%1' class='mpOption'>\" +\n").arg(k), question.GetLeftTexts()[i],
                       PairPicture(question, question.GetLeftImages()[i], u'L', slot), false);
        targets +=
            PairAnchor(QStringLiteral("\"<a id='target%1' class='mpTarget'>\" +\n").arg(k), question.GetRightTexts()[i],
                       PairPicture(question, question.GetRightImages()[i], u'R', slot), true);
        ++k;
    }
    out += QStringLiteral("\"<div id='conOptions'>\" +\n") + options + QStringLiteral("\"</div>\" +\n") +
           QStringLiteral("\"<div id='conTargets'>\" +\n") + targets + QStringLiteral("\"</div>\" +\n") + kSubmit +
           QStringLiteral("\"</div>\" +\n\"</div>\" +\n\"<div id='mpZoom'></div>\"");
}

void PartIdentificationToHtml(CComponentPartIdentification &question, QString &out)
{
    // The picture as the copy into "images/questions" names it.
    const QString picture = CorvPath::FileName(question.GetImageFile()).toLower();
    const int width = question.GetImageWidth();
    const int height = question.GetImageHeight();
    out = kLargeFrame + StemParagraph(question.GetQuestionText()) + kUpperEnd + kLowerStart +
          QStringLiteral("\"<div id='partsBg' style='text-align:center; position:relative; margin-left:auto; "
                         "margin-right:auto; margin-top:8px; width:750px; height:301px; overflow:auto;'>\" +\n") +
          QStringLiteral("\"<div id='container' style='position:relative; margin-left:auto; margin-right:auto; "
                         "width:%1px; height:%2px;'>\" +\n")
              .arg(width)
              .arg(height) +
          QStringLiteral("\"<img id='partsImg' src='images/questions/") +
          CPlaceholderTemplate::AttributeValue(picture) +
          QStringLiteral("' style='width:%1px; height:%2px; cursor:pointer; vertical-align:text-bottom;' "
                         "alt='Part ID image'>\" +\n")
              .arg(width)
              .arg(height);
    // The targets as the author last placed them on the picture.
    question.ExchangeData(true);
    for (int k = 0; k < question.GetTargetCount(); ++k) {
        const CRect target = question.GetTargetRectOnImage(k);
        out += QStringLiteral("\"<div id='option%1' class='piOption' style='left:%2px; top:%3px; width:%4px; "
                              "height:%5px;'></div>\" +\n")
                   .arg(k)
                   .arg(target.left)
                   .arg(target.top)
                   .arg(target.Width())
                   .arg(target.Height());
    }
    out += QStringLiteral("\"</div>\" +\n\"</div>\" +\n") + kPanelEnd;
}

void SliderToHtml(const CComponentLikert &question, QString &out)
{
    // The slider's values, labels and markers reach the run-time through its start-up entry.
    out = kLargeFrame + StemParagraph(question.GetQuestionText()) + kUpperEnd +
          QStringLiteral("\"<div id='panellower'>\" +\n\"<div id='lowerpanel' style='overflow:hidden;'>\" +\n"
                         "\"<div class='question3'>\" +\n"
                         "\"<p id='SRslidervalue'>&nbsp;</p>\" +\n"
                         "\"<div id='SRmarker'>&nbsp;</div>\" +\n"
                         "\"<div id='SRsliderbg'>\" +\n"
                         "\"<div id='SRfill'>&nbsp;</div>\" +\n"
                         "\"</div>\" +\n"
                         "\"<p id='SRlabelstart'>&nbsp;</p>\" +\n"
                         "\"<p id='SRlabelend'>&nbsp;</p>\" +\n"
                         "\"<img id='SRdrag' alt='slider' src=''>\" +\n"
                         "\"</div>\" +\n") +
          kPanelEnd;
}

} // namespace

QStringList SplitAtBlanks(const QString &text)
{
    QStringList pieces;
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(kBlank); at >= 0; at = text.indexOf(kBlank, from)) {
        pieces.append(text.mid(from, at - from));
        from = at + kBlank.size();
        // The one character after the blank goes with it, a character outside the Basic Multilingual
        // Plane whole.
        if (from < text.size())
            from += text[from].isHighSurrogate() && from + 1 < text.size() && text[from + 1].isLowSurrogate() ? 2 : 1;
    }
    pieces.append(text.mid(from));
    return pieces;
}

bool QuestionPanelToHtml(const CPublishContext &, CComponentBase &question, QString &piece)
{
    piece.clear();
    if (auto *paragraph = dynamic_cast<CComponentCompleteParagraph *>(&question))
        CompleteParagraphToHtml(*paragraph, piece);
    else if (auto *blanks = dynamic_cast<CComponentFillBlanks *>(&question))
        FillBlanksToHtml(*blanks, piece);
    else if (auto *choice = dynamic_cast<CComponentMultipleChoice *>(&question))
        MultipleChoiceToHtml(*choice, piece);
    else if (auto *pairs = dynamic_cast<CComponentMatchPairs *>(&question))
        MatchPairsToHtml(*pairs, piece);
    else if (auto *parts = dynamic_cast<CComponentPartIdentification *>(&question))
        PartIdentificationToHtml(*parts, piece);
    else if (auto *slider = dynamic_cast<const CComponentLikert *>(&question))
        SliderToHtml(*slider, piece);
    else
        return false;
    return true;
}

} // namespace CorvScreenPanels
