#include "ScriptFilesSupport.h"

#include "model/ComponentLargeTopic.h"
#include "model/ComponentSmallTopic.h"
#include "model/Topic.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace ScriptFiles {

namespace {

const QString kCheckScript = QStringLiteral(CORV_SOURCE_DIR "/tests/publish/scripts_check.js");

std::optional<QString> ReadOutput(bool written, const QString &path)
{
    if (!written)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromUtf8(file.readAll());
}

QByteArray RunCheck(const QStringList &arguments, const QByteArray &input, int &status, QString &errors)
{
    QProcess process;
    process.start(NodeProgram(), QStringList{kCheckScript} + arguments);
    status = -1;
    if (!process.waitForStarted(10000))
        return {};
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    errors = QString::fromUtf8(process.readAllStandardError());
    return process.readAllStandardOutput();
}

} // namespace

CComponentMultipleChoice::Options Options(const QString &a, const QString &b, const QString &c, const QString &d,
                                          const QString &e)
{
    return {a, b, c, d, e};
}

Course::Course()
{
    doc->OnNewDocument();
    doc->MutableSettings().Theme = QStringLiteral("Classical");
    doc->MutableSettings().FontName[0] = QStringLiteral("Arial");
    doc->MutableSettings().CourseName = QStringLiteral("Sea birds");
    doc->MutableSettings().CourseCode = QStringLiteral("SB-1");
    doc->MutableSettings().CourseAuthor = QStringLiteral("R. Petrel");
    doc->MutableSettings().CourseDate = QStringLiteral("2024");
    doc->MutableSettings().CourseDescription = QStringLiteral("Gulls, terns and skuas");
    doc->MutableSettings().SetExpiry = 1;
    doc->MutableSettings().ExpiryDate = 1767225600; // 2026-01-01 00:00 UTC
    context.majorVersionText = QStringLiteral("4");
    // Days of the expiry date are local time: the tests read them in UTC wherever they run.
    m_hadTimeZone = qEnvironmentVariableIsSet("TZ");
    m_timeZone = qgetenv("TZ");
    setenv("TZ", "UTC", 1);
    tzset();
    tmp.MakeFolder(QStringLiteral("Out/content/scripts"));
}

Course::~Course()
{
    if (m_hadTimeZone)
        setenv("TZ", m_timeZone.constData(), 1);
    else
        unsetenv("TZ");
    tzset();
}

CCorvPage *Course::Screen(const char *label) const { return doc->FindScreenByLabel(QLatin1String(label)); }

void Course::BuildSample()
{
    CCorvessaDoc &d = *doc;
    d.MutableSettings().MenuBasedCourse = 1;
    d.MutableSettings().LastAssessmentTopic = 1;
    d.AddTopic(std::make_unique<CTopic>("1", "Getting started", "Topic 1: Getting started", "", "FALSE"));
    d.AddTopic(std::make_unique<CTopic>("2", "Sea birds", "Topic 2: Sea birds", "", "TRUE"));
    d.AddTopic(std::make_unique<CTopic>("3", "Final test", "Topic 3: Final test", "", "FALSE"));

    CCorvPage *menu = Add(d.MainScreens(), "1", pt_folder, "Course menu");
    menu->SetMenuKind(apt_multi_topic_menu);
    Put<CComponentSmallTopic>(*this, *menu)->SetTitle("Getting started");
    Put<CComponentLargeTopic>(*this, *menu)->SetTitle("Sea birds");
    Put<CComponentSmallTopic>(*this, *menu)->SetTitle("Final test");

    Add(d.MainScreens(), "1_1", pt_container, "Getting started");
    Add(d.MainScreens(), "1_1_1", pt_document, "Welcome");
    CCorvPage *firstQuiz = Add(d.MainScreens(), "1_1_2", pt_question, "First quiz");
    auto *choice = Put<CComponentMultipleChoice>(*this, *firstQuiz);
    choice->SetOptions(Options("Gull", "Tern", " "), {0, 1, 0, 0, 0});
    CComponentQuestion::Words words;
    words[0] = "big;large";
    words[2] = "gull";
    auto *blanks = Put<CComponentFillBlanks>(*this, *firstQuiz);
    blanks->SetWords(words);
    for (CComponentQuestion *question : {static_cast<CComponentQuestion *>(choice), static_cast<CComponentQuestion *>(blanks)}) {
        question->SetWrongFeedback(d.Settings().FeedBackWrong);
        question->SetCorrectFeedback(d.Settings().FeedBackCorrect);
    }

    Add(d.MainScreens(), "1_2", pt_container, "Sea birds");
    Add(d.MainScreens(), "1_2_1", pt_document, "Gulls");
    CCorvPage *sliders = Add(d.MainScreens(), "1_2_2", pt_question, "How often");
    auto *wordScale = Put<CComponentLikert>(*this, *sliders);
    wordScale->SetUseNumbers(0);
    wordScale->SetWords("Never;Sometimes;Often");
    wordScale->SetCorrectValue(3.0f);
    wordScale->SetWrongFeedback("Look again at the gulls.");
    wordScale->SetCorrectFeedback(d.Settings().FeedBackCorrect);
    auto *numberScale = Put<CComponentLikert>(*this, *sliders);
    numberScale->SetSnap(0);
    numberScale->SetDecimalPlaces(2);
    numberScale->SetCorrectValue(2.5f);
    numberScale->SetWrongFeedback(d.Settings().FeedBackWrong);
    numberScale->SetCorrectFeedback(d.Settings().FeedBackCorrect);
    CCorvPage *remediationFolder = Add(d.MainScreens(), "1_2_3", pt_remediation, "Remediation");
    Add(d.MainScreens(), "1_2_3_1", pt_document, "Try again");
    Add(d.MainScreens(), "1_2_3_2", pt_document, "Once more");
    CCorvPage *summary = Add(d.MainScreens(), "1_2_4", pt_document, "Summary");
    auto *remediation = Put<CComponentRemediation>(*this, *remediationFolder);
    remediation->SetQuestionPageIds({sliders->GetId(), firstQuiz->GetId()});
    remediation->m_completionPageId = summary->GetId();
    remediation->m_reverseOutPageId = -1;
    remediation->m_passMark = 80;

    Add(d.MainScreens(), "1_3", pt_asmt_folder, "Final test");
    Add(d.MainScreens(), "1_3_1", pt_asmt_container, "Questions");
    CCorvPage *freeForm = Add(d.MainScreens(), "1_3_1_1", pt_question, "In your words");
    auto *keywords = Put<CComponentFreeFormText>(*this, *freeForm);
    keywords->m_keywords[0] = "gull";
    keywords->m_keywords[1] = "tern;skua";
    keywords->m_wrongFeedback = d.Settings().AssmntFeedBackWrong;
    keywords->m_correctFeedback = d.Settings().AssmntFeedBackCorrect;
    CCorvPage *trueFalse = Add(d.MainScreens(), "1_3_1_2", pt_question, "True or false");
    auto *trueOrFalse = Put<CComponentMultipleChoice>(*this, *trueFalse);
    trueOrFalse->SetTrueFalse(1);
    trueOrFalse->SetOptions(Options("True", "False"), {1, 0, 0, 0, 0});
    trueOrFalse->SetWrongFeedback(d.Settings().AssmntFeedBackWrong.toUpper());
    trueOrFalse->SetCorrectFeedback(d.Settings().AssmntFeedBackCorrect);
    Add(d.MainScreens(), "1_3_2", pt_asmt_document, "Passed");
    Add(d.MainScreens(), "1_3_3", pt_asmt_document, "Not passed");

    Add(d.PopupScreens(), "P2", pt_popups_only, "Popups");
    d.MutableSettings().HelpScreen = Add(d.PopupScreens(), "P2_1", pt_document, "Help")->GetId();
    Add(d.GlossaryScreens(), "G3", pt_glossary, "Glossary");
    Add(d.GlossaryScreens(), "G3_1", pt_document, "Gull");
    Outline();
}

std::optional<QString> Course::Prefs(int target, int lessonMode, const QString &prefix)
{
    CCoursePublisher publisher(*doc, output, prefix, &tree);
    publisher.SetTarget(target);
    return ReadOutput(publisher.CreatePrefsJS(lessonMode), PrefsPath(prefix.toLower()));
}

std::optional<QString> Course::Pages()
{
    const auto publisher = Publisher();
    return ReadOutput(publisher->BuildPagesJS(), PagesPath());
}

QString Course::PrefsPath(const QString &prefix) const
{
    return output + QStringLiteral("/content/scripts/") + prefix + QStringLiteral("_prefs.js");
}

QString Course::PagesPath() const { return output + QStringLiteral("/content/scripts/demo_pages.js"); }

QString LineStarting(const QString &script, const QString &start)
{
    for (const QString &line : script.split(u'\n'))
        if (line.startsWith(start))
            return line;
    return QString();
}

QString NodeProgram() { return QStandardPaths::findExecutable(QStringLiteral("node")); }

QJsonObject ReadInNode(const QStringList &files, QString *error)
{
    int status = -1;
    QString errors;
    const QByteArray out = RunCheck(files, {}, status, errors);
    if (error)
        *error = errors;
    if (status != 0)
        return {};
    return QJsonDocument::fromJson(out).object();
}

QStringList DescrambleInNode(const QList<std::pair<QString, QString>> &pairs)
{
    QJsonArray input;
    for (const auto &[text, key] : pairs)
        input.append(QJsonArray{text, key});
    int status = -1;
    QString errors;
    const QByteArray out = RunCheck({QStringLiteral("--descramble")}, QJsonDocument(input).toJson(), status, errors);
    EXPECT_EQ(status, 0) << errors.toStdString();
    QStringList texts;
    for (const QJsonValue &value : QJsonDocument::fromJson(out).array())
        texts.append(value.isNull() ? QStringLiteral("<null>") : value.toString());
    return texts;
}

} // namespace ScriptFiles
