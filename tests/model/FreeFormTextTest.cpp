#include "FakeCanvas.h"
#include "support/TempTree.h"

#include "model/ComponentFactory.h"
#include "model/ComponentFreeFormText.h"
#include "model/GlobalHelpers.h"
#include "platform/Archive.h"
#include "platform/CorvContext.h"
#include "platform/QuestionIdCounter.h"
#include "platform/RecordingPrompt.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

QStringList Ids(CQuestionIdCounter &ids, int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out.append(ids.Next());
    return out;
}

// A dialog that answers as the author would: OK after changing the values, or Cancel.
class ScriptedDialog : public CComponentFreeFormText::Dialog
{
public:
    std::function<void(CComponentFreeFormText::DialogValues &)> edit;
    bool ok = true;
    CComponentFreeFormText::DialogValues shown;
    bool Edit(CComponentFreeFormText::DialogValues &values) override
    {
        shown = values;
        if (edit)
            edit(values);
        return ok;
    }
};

// A context whose program folder holds the free-form template given.
struct TemplateFolder {
    explicit TemplateFolder(const QByteArray &text)
    {
        tree.Write(QStringLiteral("source/PlaceHolderText/FreeFormText.txt"), text);
        context.programFolder = tree.Path();
        context.prompt = &prompt;
    }
    TempTree tree;
    CRecordingPrompt prompt;
    CCorvContext context;
};

} // namespace

// Guards the order of question ids, which the published answers are keyed by, and the letters read from
// a damaged file, which would otherwise put any character into published script.
TEST(FreeFormText, IdCounterSequence)
{
    CQuestionIdCounter ids;
    EXPECT_EQ(Ids(ids, 3), (QStringList{"AA", "AB", "AC"}));
    ids.Set('A', 'Z');
    EXPECT_EQ(Ids(ids, 2), (QStringList{"AZ", "BA"}));
    ids.Set('Z', 'Z');
    EXPECT_EQ(Ids(ids, 2), (QStringList{"ZZ", "AA"}));
    ids.Set('"', 'Q');
    EXPECT_EQ(ids.Peek(), QStringLiteral("AQ"));
    ids.Set('C', 0xFF);
    EXPECT_EQ(ids.Peek(), QStringLiteral("CA"));

    FakeCanvas canvas;
    CQuestionIdCounter fresh;
    CComponentFreeFormText first(&canvas, fresh), second(&canvas, fresh), third(&canvas, fresh);
    EXPECT_EQ(first.m_questionId + second.m_questionId + third.m_questionId, QStringLiteral("AAABAC"));
}

// Guards against a pasted question sharing the id of its original.
TEST(FreeFormText, CloneDrawsTheNextId)
{
    CQuestionIdCounter ids;
    ids.Set('A', 'E');
    CComponentFreeFormText q(nullptr, ids);
    EXPECT_EQ(q.m_questionId, QStringLiteral("AE"));
    q.m_keywords[0] = QStringLiteral("red");
    q.m_evaluate = 0;
    q.m_maxCharacters = 90;
    q.SetBounds(CRect(100, 100, 700, 500), true);
    auto copy = q.Clone(false);
    auto &c = dynamic_cast<CComponentFreeFormText &>(*copy);
    EXPECT_EQ(c.m_questionId, QStringLiteral("AF"));
    EXPECT_EQ(ids.Peek(), QStringLiteral("AG"));
    EXPECT_EQ(c.m_keywords[0], QStringLiteral("red"));
    EXPECT_EQ(c.m_evaluate, 0);
    EXPECT_EQ(c.m_maxCharacters, 90);
    EXPECT_EQ(c.GetBounds(), CRect(36, 32, 636, 432));
}

// Guards the counter that travels with a project: reading it back in a fresh program leaves the counter
// where it stood at the save, although making the questions read moved it meanwhile.
TEST(FreeFormText, CounterTravelsWithTheRecord)
{
    CQuestionIdCounter saving;
    CCorvContext savingContext;
    savingContext.questionIds = &saving;
    CComponentFreeFormText a(nullptr, saving), b(nullptr, saving), c(nullptr, saving);
    ASSERT_EQ(saving.Peek(), QStringLiteral("AD"));
    CArchive out;
    out.SetContext(&savingContext);
    a.SerializeComponent(out);
    b.SerializeComponent(out);
    const QByteArray bytes = out.GetBuffer();
    EXPECT_EQ(bytes.right(2), QByteArray("AD"));

    CQuestionIdCounter reading;
    CCorvContext readingContext;
    readingContext.questionIds = &reading;
    CArchive in(bytes);
    in.SetContext(&readingContext);
    auto first = CComponentFactory::LoadComponent(in, {ProjectSchema::kCurrent});
    auto second = CComponentFactory::LoadComponent(in, {ProjectSchema::kCurrent});
    ASSERT_TRUE(first && second);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(dynamic_cast<CComponentFreeFormText &>(*first).m_questionId, QStringLiteral("AA"));
    EXPECT_EQ(dynamic_cast<CComponentFreeFormText &>(*second).m_questionId, QStringLiteral("AB"));
    EXPECT_EQ(reading.Peek(), QStringLiteral("AD"));
    // A copy of a read question draws from the counter of the program that read it.
    EXPECT_EQ(dynamic_cast<CComponentFreeFormText &>(*second->Clone(true)).m_questionId, QStringLiteral("AD"));
}

TEST(FreeFormText, KeywordNormalisation)
{
    struct Case {
        const char *keyword;
        const char *once;
    } cases[] = {
        {" ;red;; green  ;", "red;green "},
        {"red;green ", "red;green"},
        {"plain", "plain"},
        {";", ""},
        {" ; ;; ", " "},
        {"a ;  b", "a ;b"},
        {";;;x", "x"},
        {"", ""},
    };
    for (const Case &c : cases) {
        QString keyword = QString::fromUtf8(c.keyword);
        CComponentFreeFormText::NormaliseKeyword(keyword);
        EXPECT_EQ(keyword, QString::fromUtf8(c.once)) << c.keyword;
    }
}

// Guards what the dialog hands back: keywords normalised twice, the id never taken from the dialog, and
// evaluation turned off when nothing is left to evaluate against.
TEST(FreeFormText, EditProperties)
{
    CQuestionIdCounter ids;
    CComponentFreeFormText q(nullptr, ids);
    ScriptedDialog dialog;
    dialog.edit = [](CComponentFreeFormText::DialogValues &v) {
        v.m_keywords[0] = QStringLiteral(" ;red;; green  ;");
        v.m_keywords[3] = QStringLiteral("blue");
        v.m_questionId = QStringLiteral("ZZ");
        v.m_instruction = QStringLiteral("Describe it.");
        v.m_storeResponse = 1;
    };
    EXPECT_TRUE(q.EditProperties(dialog));
    EXPECT_EQ(dialog.shown.m_questionId, QStringLiteral("AA"));
    EXPECT_EQ(dialog.shown.m_instruction, QStringLiteral("Please type your response below."));
    EXPECT_EQ(dialog.shown.m_maxCharacters, 250);
    EXPECT_EQ(q.m_keywords[0], QStringLiteral("red;green"));
    EXPECT_EQ(q.m_keywords[3], QStringLiteral("blue"));
    EXPECT_EQ(q.m_questionId, QStringLiteral("AA"));
    EXPECT_EQ(q.m_instruction, QStringLiteral("Describe it."));
    EXPECT_EQ(q.m_storeResponse, 1);
    EXPECT_EQ(q.m_evaluate, 1);
    EXPECT_EQ(q.CountKeywords(), 2);

    dialog.edit = [](CComponentFreeFormText::DialogValues &v) {
        v.m_keywords = {};
        v.m_keywords[5] = QStringLiteral(" ;; ");
        v.m_evaluate = 1;
    };
    EXPECT_TRUE(q.EditProperties(dialog));
    EXPECT_EQ(q.CountKeywords(), 0);
    EXPECT_EQ(q.m_evaluate, 0);

    dialog.ok = false;
    dialog.edit = [](CComponentFreeFormText::DialogValues &v) { v.m_instruction = QStringLiteral("Cancelled"); };
    EXPECT_FALSE(q.EditProperties(dialog));
    EXPECT_EQ(q.m_instruction, QStringLiteral("Describe it."));
}

// Guards the answer line of the screen's script: encoded items keyed by the screen, alternatives as a
// list, empty keywords and empty alternatives left out.
TEST(FreeFormText, KeywordsScriptLine)
{
    CQuestionIdCounter ids;
    CComponentFreeFormText q(nullptr, ids);
    const QString key = QStringLiteral("3_2q");
    auto item = [&key](const char *text) { return u'"' + EncodeAnswerText(QString::fromUtf8(text), key) + u'"'; };

    QString line;
    q.BuildKeywordsJs(key, line);
    EXPECT_EQ(line, QStringLiteral("quest[\"3_2q\"] = [];\n"));

    q.m_keywords[0] = QStringLiteral("red");
    q.m_keywords[2] = QStringLiteral("blue;navy");
    q.m_keywords[7] = QStringLiteral("a;;b;");
    q.m_keywords[9] = QStringLiteral(";;");
    q.BuildKeywordsJs(key, line);
    EXPECT_EQ(line, QStringLiteral("quest[\"3_2q\"] = [") + item("red") + QStringLiteral(",[") + item("blue") + u',' +
                        item("navy") + QStringLiteral("],[") + item("a") + u',' + item("b") + QStringLiteral("],[]];\n"));
}

// Guards the filling of the question's template: every occurrence of every token, flags true only when
// exactly 1, the instruction made safe for markup and then for a script string ("<img onerror=...>" in an
// instruction once ran on its screen), and a missing template reported by its path.
TEST(FreeFormText, PublishTemplate)
{
    TemplateFolder folder(
        "<~prefix~>|<~instruction~>|<~ev~>|<~record~>|<~email~>|<~limit~>|<~mem~>|<~print~>|<~case~>|<~num~>|"
        "<~whole~>|<~qnumber~>\n<~qnumber~>|<~ev~>|<~unknown~>\n");
    CQuestionIdCounter ids;
    ids.Set('C', 'D');
    CComponentFreeFormText q(nullptr, ids);
    q.m_instruction = QStringLiteral("Say \"why\"\r\nin C:\\ or <~ev~> <img src=x onerror=f()> & a < b");
    q.m_evaluate = 2;
    q.m_storeResponse = 1;
    q.m_maxCharacters = 500;
    q.m_numberToMatch = 3;
    const CResult<QString> html = q.BuildPublishHtml(folder.context, QStringLiteral("kv"));
    ASSERT_TRUE(html) << html.Error().toStdString();
    EXPECT_EQ(*html, QStringLiteral("kv|Say \\\"why\\\"<br>in C:\\\\ or &lt;~ev~&gt; &lt;img src=x onerror=f()&gt; &amp; a &lt; b|false|true|false|500|false|false|false|3|"
                                   "true|CD\nCD|false|<~unknown~>\n"));
    EXPECT_TRUE(folder.prompt.Texts().isEmpty());

    TemplateFolder empty("");
    QFile::remove(empty.tree / QStringLiteral("source/PlaceHolderText/FreeFormText.txt"));
    const CResult<QString> missing = q.BuildPublishHtml(empty.context, QStringLiteral("kv"));
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.Error(), QStringLiteral("FATAL Error:\nCComponentFreeFormText: Could not open file\n%1/source/"
                                              "PlaceHolderText/FreeFormText.txt\nwhile trying to publish page")
                                   .arg(empty.tree.Path()));
    EXPECT_TRUE(empty.prompt.Texts().isEmpty());
}

// Guards the preview's layout: the grey instruction box and the two columns of five keyword boxes, at the
// component's place on the canvas.
TEST(FreeFormText, PreviewBoxes)
{
    CQuestionIdCounter ids;
    CComponentFreeFormText q(nullptr, ids);
    q.SetBounds(CRect(100, 50, 600, 430), false); // unit (380 - 100) / 14 = 20
    QImage image(700, 500, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    q.Draw(painter);
    painter.end();
    const QRgb grey = qRgb(200, 200, 200);
    const QRgb black = qRgb(0, 0, 0);
    struct Probe {
        int x, y;
        QRgb colour;
    } probes[] = {
        {100 + 10, 50 + 20, black},           // instruction box frame, top-left
        {100 + 489, 50 + 139, black},         // its bottom-right pixel
        {100 + 480, 50 + 130, grey},          // its inside
        {100 + 490, 50 + 140, qRgb(255, 255, 255)}, // just outside
        {100 + 230, 50 + 180 + 15, grey},     // first left keyword box (y = 9u)
        {100 + 480, 50 + 180 + 15, grey},     // first right keyword box
        {100 + 250, 50 + 180 + 15, qRgb(255, 255, 255)}, // the gap between the columns
        {100 + 230, 50 + 180 + 4 * 40 + 15, grey}, // fifth row, rows u + 20 apart
        {100 + 230, 50 + 180 + 4 * 40 + 25, qRgb(255, 255, 255)},
    };
    for (const Probe &p : probes)
        EXPECT_EQ(image.pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
}
