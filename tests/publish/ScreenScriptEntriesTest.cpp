#include "ScreenTestSupport.h"

#include "model/ComponentEllipse.h"
#include "model/ComponentFreeFormText.h"
#include "model/ComponentLikert.h"
#include "model/ComponentLine.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentRectangle.h"
#include "model/ComponentTable.h"
#include "publish/ScreenScriptEntries.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace ScreenTest;
namespace E = CorvScreenEntries;

namespace {

const QString kSliderRest = QStringLiteral(
    "\"kvxObj.sliderQ.start = o.argues.start\",\"kvxObj.sliderQ.end = o.argues.end\","
    "\"kvxObj.sliderQ.range = o.argues.range\",\"kvxObj.sliderQ.labels = o.argues.labels\","
    "\"kvxObj.sliderQ.words = o.argues.words\",\"kvxObj.sliderQ.numMarkers = o.argues.numMarkers\","
    "\"kvxObj.sliderQ.init()\"");

struct SliderOut {
    QString list, argues;
};

SliderOut Slider(CComponentLikert &slider)
{
    SliderOut out;
    E::AddSliderScript(out.list, out.argues, slider);
    return out;
}

} // namespace

// Guards the question object a multiple-choice screen starts: a true-or-false question must behave as
// single-answer whatever its flag says.
TEST(ScreenScriptEntries, MultipleChoice)
{
    struct Case {
        int trueFalse, singleAnswer;
        const char *entry;
    };
    const Case cases[] = {{1, 0, "\"mcObj.question(true, true)\""},
                          {1, 1, "\"mcObj.question(true, true)\""},
                          {0, 1, "\"mcObj.question(true)\""},
                          {0, 0, "\"mcObj.question(false)\""}};
    for (const Case &c : cases) {
        CComponentMultipleChoice question;
        question.m_trueFalse = c.trueFalse;
        question.m_singleAnswer = c.singleAnswer;
        QString list = QStringLiteral("\"before\"");
        E::AddMultipleChoiceScript(list, question);
        EXPECT_EQ(list, QStringLiteral("\"before\", ") + QLatin1String(c.entry)) << c.trueFalse << c.singleAnswer;
    }
}

// Guards the slider's settings: decimals only on an unsnapped number scale, zeros on a word scale, and the
// labels kept inside their strings.
TEST(ScreenScriptEntries, Slider)
{
    CComponentLikert slider;
    slider.SetStartValue(1.0f);
    slider.SetEndValue(5.0f);
    slider.SetTolerance(0.5f);
    slider.SetDecimalPlaces(2);
    slider.SetSnap(0);
    slider.SetStartLabel(QStringLiteral("Never \"ever\""));
    slider.SetEndLabel(QStringLiteral("Daily"));
    SliderOut out = Slider(slider);
    EXPECT_EQ(out.argues, "\"argues\": {\n\t\"start\": 1.00,\n\t\"end\" : 5.00,\n\t\"range\" : 0.50,\n"
                          "\t\"labels\" : [\"Never \\\"ever\\\"\", \"Daily\"],\n\t\"words\" : [],\n\t\"numMarkers\" : 10\n},\n");
    EXPECT_EQ(out.list, "\"kvxObj.sliderQ = new srObj(true,true,true,true,false,2)\"," + kSliderRest);

    slider.SetStartValue(0.0f);
    slider.SetSnap(1);
    out = Slider(slider);
    EXPECT_TRUE(out.argues.startsWith("\"argues\": {\n\t\"start\": 0,\n\t\"end\" : 5,\n\t\"range\" : 0,"))
        << "snapping: " << out.argues.toStdString();
    EXPECT_TRUE(out.list.startsWith("\"kvxObj.sliderQ = new srObj(true,true,true,true,true,2)\""));
    slider.SetSnap(0);
    EXPECT_TRUE(Slider(slider).argues.contains("\"start\": 0.00,")) << "two decimals";

    slider.SetUseNumbers(0);
    slider.SetSnap(1);
    slider.SetWords(QStringLiteral("low;mid;high"));
    out = Slider(slider);
    EXPECT_TRUE(out.argues.startsWith("\"argues\": {\n\t\"start\": 0,\n\t\"end\" : 0,\n\t\"range\" : 0,")) << "words";
    EXPECT_TRUE(out.argues.contains("\"words\" : [\"low\",\"mid\",\"high\"],"));
    EXPECT_TRUE(out.list.startsWith("\"kvxObj.sliderQ = new srObj(true,true,true,true,false,2)\""));

    slider.SetUseNumbers(1);
    slider.SetSnap(0);
    slider.SetDecimalPlaces(1);
    slider.SetStartValue(std::nanf(""));
    EXPECT_TRUE(Slider(slider).argues.contains("\"start\": 0.0,")) << "a value no script can hold";
}

// Guards the free-form question's settings object and statements, its id kept inside its quotes.
TEST(ScreenScriptEntries, FreeFormText)
{
    CComponentFreeFormText question;
    question.m_numberToMatch = 2;
    question.m_storeResponse = 1;
    question.m_maxCharacters = 300;
    question.m_questionId = QStringLiteral("AB");
    QString list, argues;
    E::AddFreeFormTextScript(list, argues, question);
    EXPECT_EQ(argues, "\"argues\": {\n\"num\": 2,\n\"rec\": true,\n\"lim\": 300,\n\"ev\": true,\n\"whole\": true,\n"
                      "\"caseSen\": false,\n\"mem\": false,\n\"prnt\": false,\n\"qnum\": 'AB',\n\"eml\": false\n},\n");
    EXPECT_EQ(list, "\"o.argues.obj = document.getElementById('optionFT')\","
                    "\"kvxObj.ftQ = new ftObj(o.argues.obj,o.argues.num,o.argues.rec,o.argues.lim,o.argues.ev,"
                    "o.argues.whole,o.argues.caseSen,o.argues.mem,o.argues.prnt,o.argues.qnum);\","
                    "\"kvxObj.ftQ.email = o.argues.eml || false\","
                    "\"kvxObj.ftQ.tableName = kvxPrefs.table2 || 'Table2'\"");
    question.m_questionId = QStringLiteral("A'\\");
    E::AddFreeFormTextScript(list, argues, question);
    EXPECT_TRUE(argues.contains(R"("qnum": 'A\'\\',)"));
}

// Guards the table style rules for each combination of the two flags.
TEST(ScreenScriptEntries, TableRules)
{
    struct Case {
        int oldStyle, colours;
        QString rules;
    };
    const Case cases[] = {
        {1, 1,
         "\"kvx.addTableRule('.table2', 'position: absolute; background-color: #EEEEEE;', 0)\","
         "\"kvx.addTableRule('.table2 th', 'background-color: #00FF00;', 1)\","
         "\"kvx.addTableRule('.table2 td', 'padding: 4px;', 2)\""},
        {1, 0,
         "\"kvx.addTableRule('.table2', 'position: absolute;', 0)\","
         "\"kvx.addTableRule('.table2 td', 'padding: 4px;', 1)\""},
        {0, 1,
         "\"kvx.addTableRule('.table2', 'position: absolute; border-collapse: collapse; border:2px solid #0000FF; "
         "background-color: #EEEEEE;', 0)\","
         "\"kvx.addTableRule('.table2 th', 'background-color: #00FF00; border:2px solid #0000FF; padding:4px;', 1)\","
         "\"kvx.addTableRule('.table2 td', 'border:3px solid #FF0000; padding:4px;', 2)\""},
        {0, 0,
         "\"kvx.addTableRule('.table2', 'position: absolute; border-collapse: collapse; border: 2px solid #000000;', 0)\","
         "\"kvx.addTableRule('.table2 td', 'border: 3px solid #000000; padding: 4px;', 1)\""},
    };
    for (const Case &c : cases) {
        CComponentTable::Settings settings = StyledTable(1, 1);
        settings.oldStyleBorders = c.oldStyle;
        settings.setColours = c.colours;
        CComponentTable table(nullptr, settings);
        QString list;
        E::AddTableRules(list, table, 2);
        EXPECT_EQ(list, c.rules) << c.oldStyle << c.colours;
    }
}

// Guards the shape entries: both parts of a filled and outlined shape in order, nothing and no stray
// separator for a shape with neither, both end points of a line.
TEST(ScreenScriptEntries, Shapes)
{
    CComponentRectangle rectangle;
    rectangle.SetBounds(CRect(10, 20, 110, 70), false);
    rectangle.SetFilled(1);
    rectangle.SetFillColor(kRed);
    rectangle.SetOutlineColor(kBlue);
    rectangle.SetLineWidth(3);
    CComponentEllipse hollow;
    hollow.SetOutlined(0);
    CComponentEllipse ring;
    ring.SetBounds(CRect(0, 0, 50, 40), false);
    CComponentLine line;
    line.SetPoints(QPoint(5, 6), QPoint(70, 80));
    line.SetColor(kGreen);
    line.SetWidth(2);

    QString shapes;
    E::AddRectangleShape(shapes, rectangle);
    E::AddEllipseShape(shapes, hollow);
    E::AddEllipseShape(shapes, ring);
    E::AddLineShape(shapes, line);
    EXPECT_EQ(shapes, "['filled rect','#FF0000',3,10,20,100,50], ['rect','#0000FF',3,10,20,100,50], "
                      "['ellipse','#000000',1,0,0,50,40], ['line','#00FF00',2,5,6,70,80]");

    QString none;
    E::AddEllipseShape(none, hollow);
    EXPECT_EQ(none, QString());
}

// Guards the fixed question entries and the part-identification colour.
TEST(ScreenScriptEntries, QuestionObjects)
{
    QString list;
    E::AddCompleteParagraphScript(list);
    E::AddFillBlanksScript(list);
    E::AddFlashQuestionScript(list);
    E::AddMatchPairsScript(list);
    E::AddPartIdentificationScript(list, 3, kGreen);
    EXPECT_EQ(list, "\"cpObj.question()\", \"fbObj.question()\", \"kvxObj.swfQ = new CustomObj('swf')\", "
                    "\"mpObj.question(true)\", \"piObj.question(3, '#00FF00')\"");
}
