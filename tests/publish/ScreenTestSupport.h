#pragma once

#include "document/CorvessaDoc.h"
#include "model/ComponentTable.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/OutlineTree.h"
#include "model/RichTextLinks.h"
#include "platform/CorvContext.h"
#include "platform/RecordingPrompt.h"
#include "publish/CoursePublisher.h"
#include "support/TempTree.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Failures show texts as text, not as code units.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// What the screen file tests share: a course whose body font is Arial 12 pt black, the program folder's
// templates from the source tree, and a publisher writing into a temporary output folder.
namespace ScreenTest {

constexpr uint32_t kRed = 0x0000FF;   // COLORREF
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0xFF0000;

// Character formats built from the body format.
CCharFormat Body();
CCharFormat With(uint32_t effects, CCharFormat format = Body());
CCharFormat Sized(int points, CCharFormat format = Body());
CCharFormat Face(const QString &face, CCharFormat format = Body());
CCharFormat Coloured(uint32_t colour, CCharFormat format = Body());
CCharFormat Raised(int twips, CCharFormat format = Body());

// Builds a rich text run by run. Para sets the format of the paragraph being written (the last one); the
// paragraphs its text starts take that format with them.
class Rich
{
public:
    explicit Rich(CRichTextLinks &content) : m_content(content) {}
    Rich &Add(const QString &text, const CCharFormat &format = Body());
    // The visible text between the hidden markers of the number, with the link effect.
    Rich &Link(int number, const QString &text, const CCharFormat &format = Body());
    Rich &Hidden(const QString &text);
    Rich &Para(int alignment, int indent = 0, int numbering = 0, int numberingStyle = PFNS_PERIOD);

private:
    CRichTextLinks &m_content;
};

// A table of the size with every style setting away from its default: background #EEEEEE, green header,
// blue border 2 px wide, red cell borders 3 px wide, padding 4 px.
CComponentTable::Settings StyledTable(int rows, int columns);

// Link records by number.
void ScreenLinkRecord(CRichTextLinks &content, int number, int targetScreen, int popup = 0, int fullSize = 0);
void AddressLinkRecord(CRichTextLinks &content, int number, const QString &address, int script = 0);

class Fixture
{
public:
    Fixture();

    CCorvPage *Add(const CCorvessaDoc::ScreenList &list, const QString &label, int pageType, const QString &title = {});
    // Rebuilds the outline from the three lists and numbers the publish ids as a publish does.
    void Outline();
    // A publisher over the output folder with the prefix "demo".
    std::unique_ptr<CCoursePublisher> Publisher();
    // The generated file's text; "" when it is missing.
    QString ScreenFile(const CCorvPage &screen) const;
    QString ScreenFilePath(const CCorvPage &screen) const;

    TempTree tmp;
    CRecordingPrompt prompt;
    CCorvContext context;
    std::unique_ptr<CCorvessaDoc> doc;
    COutlineTree tree;
    QString output;
};

// Puts the component on the screen at the bounds; the component as placed.
template <class Kind>
Kind *Place(CCorvPage &screen, CRecordingPrompt &, std::unique_ptr<Kind> component, const CRect &bounds)
{
    Kind *raw = component.get();
    component->SetBounds(bounds, false);
    EXPECT_TRUE(screen.AddComponent(std::move(component)));
    return raw;
}

template <class Kind>
Kind *Place(CCorvPage &screen, CRecordingPrompt &prompt, const CRect &bounds)
{
    return Place(screen, prompt, std::make_unique<Kind>(), bounds);
}

// The texts the sample course is written with: ordinary ones for the golden files, hostile ones (quotes,
// backslashes, apostrophes, "</script>", line breaks, markup) to prove the files stay valid.
struct SampleTexts {
    QString title;
    QString body;
    QString caption;
    QString summary;
    QString address;
    QString script;
    QString term;
    QString label;
    QString questionId;
    QString embed;

    static SampleTexts Ordinary();
    static SampleTexts Hostile();
};

// A course with one component of every kind the publisher writes, on screens of every page type: a menu,
// a container, content and question screens, a final performance screen, a popup and a glossary entry.
void BuildSampleCourse(Fixture &fixture, const SampleTexts &texts);

// The first line in which two texts differ, for a readable failure ("" when none does).
QString FirstDifference(const QByteArray &actual, const QByteArray &expected);

// Runs a program and gives its standard output; exitCode receives its status (-1 when it did not run).
QByteArray RunProgram(const QString &program, const QStringList &arguments, int &exitCode, int timeoutMs = 60000);

// Compares each file with the file of its name in the golden folder, naming the first line that differs,
// and expects the folder to hold those files and no others. With CORV_UPDATE_GOLDEN=1 in the environment
// the folder is written anew from the files first.
void ExpectGoldenFiles(const QString &goldenFolder, const QStringList &files);

// Each screen file as the course run-time stand-in in Node (screen_check.js) saw it.
QJsonArray RunScreenChecks(const QString &node, const QStringList &files);

// Loads the page in headless Chromium, with a profile of its own in profileFolder, and gives the JSON that
// the page's check script left base64-encoded in <pre id="result">; a failure is recorded and gives an
// empty document.
QJsonDocument ChromiumResult(const QString &chromium, const QString &pagePath, const QString &profileFolder);

} // namespace ScreenTest
