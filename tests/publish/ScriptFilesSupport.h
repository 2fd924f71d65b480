#pragma once

#include "ScreenTestSupport.h"

#include "model/ComponentFillBlanks.h"
#include "model/ComponentFreeFormText.h"
#include "model/ComponentLikert.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentRemediation.h"

#include <QJsonObject>
#include <QString>

#include <gtest/gtest.h>

#include <optional>

// Skips a test that needs Node where it is not installed.
#define SKIP_WITHOUT_NODE()                                                                                            \
    if (ScriptFiles::NodeProgram().isEmpty()) {                                                                        \
        GTEST_SKIP() << "node is not installed (scripts/deps.sh installs it)";                                         \
    }

// What the options and pages script tests share: a course publisher over the source tree's program data,
// the sample menu course, and Node reading the scripts back as a course page loads them.
namespace ScriptFiles {

// Places a component on a screen and gives it back.
template <class Kind>
Kind *Put(ScreenTest::Fixture &, CCorvPage &screen, std::unique_ptr<Kind> component = std::make_unique<Kind>())
{
    Kind *raw = component.get();
    component->SetBounds(CRect(10, 10, 500, 300), false);
    EXPECT_TRUE(screen.AddComponent(std::move(component)));
    return raw;
}

CComponentMultipleChoice::Options Options(const QString &a, const QString &b, const QString &c = {},
                                          const QString &d = {}, const QString &e = {});

// A fixture whose document has the built-in settings of a new course, the Classical theme, a fixed expiry
// date and local time taken as UTC; the output folder has its content/scripts folder.
class Course : public ScreenTest::Fixture
{
public:
    Course();
    ~Course();

    // The sample course: a menu of three topics (the second with a remediation folder, the last an
    // assessment with its final performance screens), questions of every kind the scripts read, a popup
    // used as help and a glossary.
    void BuildSample();

    // Runs the step with a fresh publisher; the file's text, or none when the step failed.
    std::optional<QString> Prefs(int target, int lessonMode = 0, const QString &prefix = QStringLiteral("Demo"));
    std::optional<QString> Pages();
    QString PrefsPath(const QString &prefix = QStringLiteral("demo")) const;
    QString PagesPath() const;

    CCorvPage *Screen(const char *label) const;

private:
    QByteArray m_timeZone;
    bool m_hadTimeZone = false;
};

// One line of a script ("" when no line starts with the text).
QString LineStarting(const QString &script, const QString &start);

// Node's view of the scripts, loaded in order into one global scope: kvxPrefs, kvxObj, kvxFdbck, p, quest,
// kvxRemediation, and "answers" (quest with every scrambled answer read back with its key), "connection"
// (kvxObj.background read back with the prefix), "remediationAt" (for each instance, whether its group is
// the p entry it names). Empty when Node is missing or the scripts do not run; error receives why.
QJsonObject ReadInNode(const QStringList &files, QString *error = nullptr);
// The course run-time's de-scrambler, in Node, applied to each (scrambled, key) pair.
QStringList DescrambleInNode(const QList<std::pair<QString, QString>> &pairs);
QString NodeProgram();

} // namespace ScriptFiles
