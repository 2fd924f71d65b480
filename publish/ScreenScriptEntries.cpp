#include "publish/ScreenScriptEntries.h"

#include "model/ComponentFilledShape.h"
#include "model/ComponentFreeFormText.h"
#include "model/ComponentLikert.h"
#include "model/ComponentLine.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentTable.h"
#include "platform/Escape.h"
#include "publish/PublishText.h"
#include "publish/RunToHtmlSpan.h"

#include <QPoint>

namespace CorvScreenEntries {

namespace {

QString Flag(int flag) { return flag ? QStringLiteral("true") : QStringLiteral("false"); }

// The entries of a filled shape: a filled one in the fill colour, then an outline in the outline colour.
void AddFilledShape(QString &shapes, const CComponentFilledShape &shape, const char *filledName, const char *name)
{
    const CRect &b = shape.GetBounds();
    const auto entry = [&](const char *kind, uint32_t colour) {
        Append(shapes, QStringLiteral("['%1','%2',%3,%4,%5,%6,%7]")
                           .arg(QLatin1String(kind), HtmlColour(colour))
                           .arg(shape.GetLineWidth())
                           .arg(b.left)
                           .arg(b.top)
                           .arg(b.Width())
                           .arg(b.Height()));
    };
    if (shape.IsFilled())
        entry(filledName, shape.GetFillColor());
    if (shape.IsOutlined())
        entry(name, shape.GetOutlineColor());
}

} // namespace

void Append(QString &list, const QString &entry)
{
    if (!list.isEmpty())
        list += QStringLiteral(", ");
    list += entry;
}

void AddCompleteParagraphScript(QString &list) { Append(list, QStringLiteral("\"cpObj.question()\"")); }

void AddFillBlanksScript(QString &list) { Append(list, QStringLiteral("\"fbObj.question()\"")); }

void AddFlashQuestionScript(QString &list) { Append(list, QStringLiteral("\"kvxObj.swfQ = new CustomObj('swf')\"")); }

void AddMatchPairsScript(QString &list) { Append(list, QStringLiteral("\"mpObj.question(true)\"")); }

void AddMultipleChoiceScript(QString &list, const CComponentMultipleChoice &question)
{
    // A true-or-false question always behaves as single-answer.
    if (question.m_trueFalse)
        Append(list, QStringLiteral("\"mcObj.question(true, true)\""));
    else if (question.m_singleAnswer)
        Append(list, QStringLiteral("\"mcObj.question(true)\""));
    else
        Append(list, QStringLiteral("\"mcObj.question(false)\""));
}

void AddPartIdentificationScript(QString &list, int targetsToMatch, uint32_t highlightColour)
{
    Append(list, QStringLiteral("\"piObj.question(%1, '%2')\"").arg(targetsToMatch).arg(HtmlColour(highlightColour)));
}

void AddFreeFormTextScript(QString &list, QString &argues, const CComponentFreeFormText &question)
{
    argues = QStringLiteral("\"argues\": {\n\"num\": %1,\n\"rec\": %2,\n\"lim\": %3,\n\"ev\": %4,\n\"whole\": %5,\n"
                            "\"caseSen\": %6,\n\"mem\": %7,\n\"prnt\": %8,\n\"qnum\": '")
                 .arg(question.m_numberToMatch)
                 .arg(Flag(question.m_storeResponse))
                 .arg(question.m_maxCharacters)
                 .arg(Flag(question.m_evaluate), Flag(question.m_wholeWords), Flag(question.m_caseSensitive),
                      Flag(question.m_rememberResponse), Flag(question.m_showPrintButton)) +
             CorvEscape::ScriptSingleQuoted(question.m_questionId) +
             QStringLiteral("',\n\"eml\": %1\n},\n").arg(Flag(question.m_emailResponse));
    Append(list, QStringLiteral(
                     "\"o.argues.obj = document.getElementById('optionFT')\","
                     "\"kvxObj.ftQ = new ftObj(o.argues.obj,o.argues.num,o.argues.rec,o.argues.lim,o.argues.ev,"
                     "o.argues.whole,o.argues.caseSen,o.argues.mem,o.argues.prnt,o.argues.qnum);\","
                     "\"kvxObj.ftQ.email = o.argues.eml || false\","
                     "\"kvxObj.ftQ.tableName = kvxPrefs.table2 || 'Table2'\""));
}

void AddSliderScript(QString &list, QString &argues, CComponentLikert &slider)
{
    // A scale of words runs over word positions, never decimals.
    const bool numbers = slider.m_useNumbers != 0;
    const bool snap = numbers && slider.GetSnap() != 0;
    const int decimals = numbers && !snap ? slider.GetDecimalPlaces() : 0;
    const auto value = [&](float v) { return PrintfFixed(numbers ? v : 0.0f, decimals); };
    QString words;
    slider.BuildWordsJsArray(words);
    argues = QStringLiteral("\"argues\": {\n\t\"start\": %1,\n\t\"end\" : %2,\n\t\"range\" : %3,\n\t\"labels\" : [\"")
                 .arg(value(slider.GetStartValue()), value(slider.GetEndValue()), value(slider.GetTolerance())) +
             CorvEscape::ScriptLiteral(slider.GetStartLabel()) + QStringLiteral("\", \"") +
             CorvEscape::ScriptLiteral(slider.GetEndLabel()) + QStringLiteral("\"],\n\t\"words\" : ") + words +
             QStringLiteral(",\n\t\"numMarkers\" : %1\n},\n").arg(slider.GetMarkers());
    Append(list, QStringLiteral("\"kvxObj.sliderQ = new srObj(%1,%2,%3,%4,%5,%6)\",")
                         .arg(Flag(slider.GetEvaluate()), Flag(slider.IsHorizontal()), Flag(slider.m_showValue),
                              Flag(slider.m_showFill), Flag(snap))
                         .arg(slider.GetDecimalPlaces()) +
                     QStringLiteral("\"kvxObj.sliderQ.start = o.argues.start\",\"kvxObj.sliderQ.end = o.argues.end\","
                                    "\"kvxObj.sliderQ.range = o.argues.range\",\"kvxObj.sliderQ.labels = o.argues.labels\","
                                    "\"kvxObj.sliderQ.words = o.argues.words\","
                                    "\"kvxObj.sliderQ.numMarkers = o.argues.numMarkers\",\"kvxObj.sliderQ.init()\""));
}

void AddTableRules(QString &list, const CComponentTable &table, int number)
{
    const QString n = QString::number(number);
    const int padding = table.GetCellPadding();
    const bool oldStyle = table.GetOldStyleBorders() != 0;
    const bool colours = table.GetSetColours() != 0;
    QString rules;
    if (oldStyle && colours) {
        rules = QStringLiteral("\"kvx.addTableRule('.table%1', 'position: absolute; background-color: %2;', 0)\",")
                    .arg(n, HtmlColour(table.GetTableBackground())) +
                QStringLiteral("\"kvx.addTableRule('.table%1 th', 'background-color: %2;', 1)\",")
                    .arg(n, HtmlColour(table.GetHeaderBackground())) +
                QStringLiteral("\"kvx.addTableRule('.table%1 td', 'padding: %2px;', 2)\"").arg(n).arg(padding);
    } else if (oldStyle) {
        rules = QStringLiteral("\"kvx.addTableRule('.table%1', 'position: absolute;', 0)\",").arg(n) +
                QStringLiteral("\"kvx.addTableRule('.table%1 td', 'padding: %2px;', 1)\"").arg(n).arg(padding);
    } else if (colours) {
        const QString border = QStringLiteral("%1px solid %2").arg(table.GetBorderWidth()).arg(HtmlColour(table.GetTableBorderColour()));
        rules = QStringLiteral("\"kvx.addTableRule('.table%1', 'position: absolute; border-collapse: collapse; "
                               "border:%2; background-color: %3;', 0)\",")
                    .arg(n, border, HtmlColour(table.GetTableBackground())) +
                QStringLiteral("\"kvx.addTableRule('.table%1 th', 'background-color: %2; border:%3; padding:%4px;', 1)\",")
                    .arg(n, HtmlColour(table.GetHeaderBackground()), border)
                    .arg(padding) +
                QStringLiteral("\"kvx.addTableRule('.table%1 td', 'border:%2px solid %3; padding:%4px;', 2)\"")
                    .arg(n)
                    .arg(table.GetCellBorderThickness())
                    .arg(HtmlColour(table.GetCellBorderColour()))
                    .arg(padding);
    } else {
        rules = QStringLiteral("\"kvx.addTableRule('.table%1', 'position: absolute; border-collapse: collapse; "
                               "border: %2px solid #000000;', 0)\",")
                    .arg(n)
                    .arg(table.GetBorderWidth()) +
                QStringLiteral("\"kvx.addTableRule('.table%1 td', 'border: %2px solid #000000; padding: %3px;', 1)\"")
                    .arg(n)
                    .arg(table.GetCellBorderThickness())
                    .arg(padding);
    }
    Append(list, rules);
}

void AddRectangleShape(QString &shapes, const CComponentFilledShape &rectangle)
{
    AddFilledShape(shapes, rectangle, "filled rect", "rect");
}

void AddEllipseShape(QString &shapes, const CComponentFilledShape &ellipse)
{
    AddFilledShape(shapes, ellipse, "filled ellipse", "ellipse");
}

void AddLineShape(QString &shapes, const CComponentLine &line)
{
    QPoint p1, p2;
    line.GetPoints(p1, p2);
    Append(shapes, QStringLiteral("['line','%1',%2,%3,%4,%5,%6]")
                       .arg(HtmlColour(line.GetColor()))
                       .arg(line.GetWidth())
                       .arg(p1.x())
                       .arg(p1.y())
                       .arg(p2.x())
                       .arg(p2.y()));
}

} // namespace CorvScreenEntries
