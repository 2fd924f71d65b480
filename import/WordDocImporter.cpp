#include "import/WordDocImporter.h"

#include "document/ContentScreenFactory.h"
#include "document/CorvessaDoc.h"
#include "document/NewComponents.h"
#include "document/ScreenFactory.h"
#include "document/WordTable.h"
#include "import/DocumentPicture.h"
#include "import/ImportHost.h"
#include "import/WordDocumentReader.h"
#include "import/WordTextRules.h"
#include "model/ComponentCompleteParagraph.h"
#include "model/ComponentImage.h"
#include "model/ComponentTable.h"
#include "model/ComponentType.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/GraphicsLibrarySearch.h"
#include "model/Topic.h"
#include "platform/Progress.h"
#include "platform/Prompt.h"
#include "platform/RandomSource.h"
#include "platform/StringTable.h"
#include "model/RichTextLinks.h"
#include "platform/richtext/CharFormat.h"
#include "platform/richtext/RichText.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

enum State { stateNone = 0, stateText = 1, stateStem = 3, stateOption = 4, stateOptionYes = 5, stateTerm = 6,
             stateDescription = 7 };

constexpr int kTextOnlyTemplate = 13;
const QString kNoGlossaryItemName = QStringLiteral("No Glossary Item Name");

QString TrimLeading(QString text, QStringView chars)
{
    qsizetype i = 0;
    while (i < text.size() && chars.contains(text[i]))
        ++i;
    return text.mid(i);
}

// A document named for the author: its file name in quotes.
QString DocumentName(const QString &path)
{
    return path.isEmpty() ? QStringLiteral("the document")
                          : QStringLiteral("\"%1\"").arg(QFileInfo(path).fileName());
}

// Rows of a table of the source document as the Word-table screen reads them: a table larger than a table
// component holds is shown over several screens, each with the rows it can take.
class CDocumentTable : public CWordTable
{
public:
    CDocumentTable(const CWordDocument::Table &table, int firstRow, int rows, int columns)
        : m_table(table), m_firstRow(firstRow),
          m_rows(std::clamp(rows, 0, std::max(0, int(table.cellTexts.size()) - firstRow))), m_columns(columns)
    {
    }
    int RowCount() const override { return m_rows; }
    int ColumnCount() const override { return m_columns; }
    int CellCount(int row) const override { return std::min(int(Row(row).size()), m_columns); }
    QString CellText(int row, int cell) const override { return Row(row)[size_t(cell)]; }

private:
    const std::vector<QString> &Row(int row) const { return m_table.cellTexts[size_t(m_firstRow + row)]; }

    const CWordDocument::Table &m_table;
    int m_firstRow;
    int m_rows;
    int m_columns;
};

// The rows one table component takes of a table with the given number of columns.
int RowsPerComponent(int columns)
{
    return std::max(1, std::min(CComponentTable::kMaxRows, CComponentTable::kMaxCells / std::max(1, columns)));
}

} // namespace

void CWordDocImporter::CQuestionOptions::AddOption(const QString &text, int isCorrect)
{
    if (count >= kMaxOptions)
        return;
    options[size_t(count)] = text;
    correct[size_t(count)] = isCorrect;
    ++count;
}

CWordDocImporter::CWordDocImporter(CCorvessaDoc &document, CGraphicsLibrarySearch *library, CImportHost &host)
    : m_doc(document), m_library(library), m_host(host),
      m_loader([](const QString &path) { return CWordDocumentReader::Read(path); })
{
}

CWordDocImporter::~CWordDocImporter() = default;

void CWordDocImporter::SetInsertionPoint(int mode, const QString &label)
{
    m_insertionMode = mode;
    m_insertionLabel = label;
}

void CWordDocImporter::AdvanceLabel(QString &label)
{
    if (label.isEmpty()) {
        label = QStringLiteral("1");
        return;
    }
    const qsizetype underscore = label.lastIndexOf(u'_');
    const QString head = label.left(underscore + 1);
    const long long number = label.mid(underscore + 1).toLongLong();
    label = head + QString::number(number + 1);
}

QString CWordDocImporter::TitleFromText(const QString &source)
{
    QString text = source;
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace() && text[i] != u'\n' && text[i] != u'\r')
        ++i;
    text = text.mid(i);
    text = TrimLeading(text, u"\n");
    text = TrimLeading(text, u"\r");
    QString title = text.left(15);
    title.replace(u'\n', u' ');
    title.remove(u'\r');
    for (qsizetype k = 15; k < text.size(); ++k) {
        const QChar c = text[k];
        if (c == u' ' || c == u'\n' || c == u'\r')
            break;
        title += c;
    }
    return title + QStringLiteral("...");
}

int CWordDocImporter::IndentSteps(double leftIndent)
{
    const int points = int(leftIndent);
    if (leftIndent <= 0)
        return 0;
    return std::max(1, (points + 17) / 18);
}

int CWordDocImporter::FileKind(const QString &path)
{
    const QString lower = path.toLower();
    for (const char *suffix : {"doc", "docx", "rtf", "txt"})
        if (lower.endsWith(QLatin1String(suffix)))
            return 1;
    for (const char *suffix : {"ppt", "pptx"})
        if (lower.endsWith(QLatin1String(suffix)))
            return 2;
    return 0;
}

QString CWordDocImporter::BodyFace() const
{
    return m_doc.Settings().FontName[0];
}

int CWordDocImporter::BodyPoints() const
{
    const int p = m_doc.Settings().FontSizePoints[0].toInt();
    return p > 0 ? p : 12;
}

int CWordDocImporter::Random()
{
    return m_doc.GetContext().Random().Next();
}

// ---- Driver ----

CStatus CWordDocImporter::CheckLibraryPictures() const
{
    const QString root = m_doc.GetContext().graphicsLibraryRoot;
    const QDir pictures(root + QStringLiteral("Photo_Objects/image_JPG"), QStringLiteral("*.jpg"), QDir::NoSort,
                        QDir::Files);
    if (pictures.exists() && !pictures.isEmpty())
        return {};
    return CFailure(QStringLiteral("Failed to find images in the following path:\n\n%1\n%2\n%3\n%4")
                        .arg(root + QStringLiteral("Photo_Objects/image_JPG"), root + QStringLiteral("Photo_Objects/mask"),
                             root + QStringLiteral("Stock Photo - b&w"), root + QStringLiteral("Stock Photo - color")));
}

void CWordDocImporter::SetLibrarySwitches()
{
    if (!m_library)
        return;
    const bool none = !m_doc.Settings().UseColorPhotos && !m_doc.Settings().UseBWPhotos && !m_doc.Settings().UsePhotoObjects && !m_doc.Settings().UseClipArt;
    m_library->SetUseColourPhotos(none ? 1 : m_doc.Settings().UseColorPhotos);
    m_library->SetUseBwPhotos(none ? 1 : m_doc.Settings().UseBWPhotos);
    m_library->SetUsePhotoObjects(none ? 1 : m_doc.Settings().UsePhotoObjects);
    m_library->SetUseClipArt(none ? 1 : m_doc.Settings().UseClipArt);
    m_library->SetRandomChoice(m_doc.Settings().UseRandomlyDisplayMatchingGraphics);
    m_library->SetUseCategoryPriorities(m_doc.Settings().UsePrioritiseGraphicsCategories);
    m_library->SetCategories(m_doc.Settings().PriorityCategories, m_doc.Settings().GraphicsCategories);
}

CStatus CWordDocImporter::ConvertDocuments(const std::vector<const CTopic *> &topics, bool createMainMenu,
                                        bool createTopicScreens, const QString &firstLabel)
{
    m_kenBurnsOn = m_doc.Settings().RandomKenBurns;
    m_kenBurnsRate = m_doc.Settings().KenBurnsInterval > 0 ? m_doc.Settings().KenBurnsInterval : 3;
    m_kenBurnsCount = 0;
    m_glossary.clear();
    m_notImported.clear();
    m_leftOut.clear();
    m_documentPictures.clear();
    m_pictureNumber = 1;
    m_preparedPictureFolders.clear();
    m_documentPicturesOnly = 0;
    m_documentPictureOnScreen = 0;
    m_screenCounter = 1;
    if (m_doc.Settings().TemplateType != kTextOnlyTemplate)
        if (CStatus library = CheckLibraryPictures(); !library)
            return library;
    m_topLabel = m_topicLabel = m_contentLabel = firstLabel;
    if (createTopicScreens) {
        m_topicLabel = m_topLabel + QStringLiteral("_1");
        m_contentLabel = m_topicLabel + QStringLiteral("_1");
    }
    m_question.Reset();
    SetLibrarySwitches();
    if (topics.empty())
        return {};

    if (createMainMenu) {
        CScreenFactory factory(m_doc);
        m_mainMenu = factory.AddMainMenuScreen(QStringLiteral("Main Menu"), m_topLabel, nullptr);
        if (m_mainMenu) {
            m_host.AddPageAndSelect(m_mainMenu);
            m_host.RepaintCanvas();
            m_mainMenu->LeaveCanvas();
            m_host.ClearCanvasSelection();
        }
    }
    CProgress &progress = m_doc.GetContext().Progress();
    progress.SetRange(0, int(topics.size()));
    for (size_t i = 0; i < topics.size(); ++i) {
        if (progress.IsCancelled())
            break;
        if (!topics[i])
            continue;
        progress.SetText(topics[i]->GetName());
        progress.SetPos(int(i));
        if (!ConvertTopic(*topics[i], int(i), int(topics.size()), createTopicScreens))
            return CFailure(QStringLiteral("The screens for the imported text could not be made."));
    }
    progress.SetPos(int(topics.size()));
    if (!progress.IsCancelled())
        MakeFinalScreens();
    m_host.AddPopupsOnlyFolder();
    AddCollectedGlossary();
    if (m_mainMenu) {
        m_host.LayoutMenuButtons(m_mainMenu);
        m_host.RefreshPageThumbnail();
    }
    return {};
}

bool CWordDocImporter::ConvertTopic(const CTopic &topic, int topicIndex, int topicCount, bool createTopicScreens)
{
    m_topicStart = 1;
    m_topicWords = 0;
    CCorvPage *objectives = nullptr;
    if (topicIndex == topicCount - 1 && m_doc.Settings().LastAssessmentTopic == 1)
        m_lastTopic = 1;
    CCorvPage *topicScreen = nullptr;
    if (createTopicScreens) {
        CScreenFactory factory(m_doc);
        const int assessable = topic.GetAssessable().compare(u"true", Qt::CaseInsensitive) == 0 ? 1 : 0;
        topicScreen = factory.AddContainerScreen(topic.GetName(), topic.GetBanner(), topic.GetSourceDocument(),
                                                 assessable, m_topicLabel, nullptr);
        if (topicScreen)
            topicScreen->SetMenuKind(2);
        m_contentLabel = m_topicLabel + QStringLiteral("_1");
        AdvanceLabel(m_topicLabel);
        if (topicScreen) {
            m_host.AddPageAndSelect(topicScreen);
            m_host.RepaintCanvas();
        }
        if (m_doc.Settings().CreateObjectivePages == 1)
            objectives = MakeObjectivesScreen(topic);
    } else {
        m_contentLabel = m_topLabel;
    }
    const QString source = topic.GetSourceDocument();
    if (source.isEmpty())
        return true;
    // A source that gives no screen is named, whatever the reason, so the author never takes an empty
    // topic for an imported one.
    const size_t screensBefore = m_doc.MainScreens().size();
    const size_t reportedBefore = m_notImported.size();
    const bool converted = ConvertSource(source, topicScreen, objectives);
    if (converted && m_doc.MainScreens().size() == screensBefore && m_notImported.size() == reportedBefore
        && !m_doc.GetContext().Progress().IsCancelled())
        m_notImported.push_back({source, QStringLiteral("%1 holds nothing that could become a screen.").arg(source)});
    return converted;
}

bool CWordDocImporter::ConvertSource(const QString &source, CCorvPage *topicScreen, CCorvPage *objectives)
{
    switch (FileKind(source)) {
    case 1:
        return ConvertWordDocument(source, objectives);
    case 2:
        if (m_currentScreen) {
            m_host.RefreshCurrentThumbnail();
            m_currentScreen->LeaveCanvas();
            m_host.ClearCanvasSelection();
            m_host.RepaintCanvas();
        }
        if (!m_powerPoint) {
            m_notImported.push_back({source, QStringLiteral("Presentations cannot be imported here.")});
            return true;
        }
        if (CResult<CCorvPage *> last = m_powerPoint(source, m_insertionMode == 0 ? topicScreen : nullptr,
                                                     m_insertionMode, m_insertionLabel)) {
            m_currentScreen = *last;
            // What follows the slides (the next document's screens, the final screens) takes the labels after
            // theirs.
            m_contentLabel = (*last)->GetLabel();
            AdvanceLabel(m_contentLabel);
        } else
            m_notImported.push_back({source, last.Error()});
        m_currentEditor = -1;
        return true;
    default:
        // Skipped, and said so: the author learns which sources did not come in.
        m_notImported.push_back(
            {source, QStringLiteral("%1 is neither a word-processing document nor a presentation.").arg(source)});
        return true;
    }
}

bool CWordDocImporter::ConvertWordDocument(const QString &path, CCorvPage *objectives)
{
    if (!QFileInfo(path).isFile()) {
        m_notImported.push_back({path, QStringLiteral("%1 does not exist.").arg(path)});
        return true;
    }
    CResult<std::unique_ptr<CWordDocument>> read = m_loader(path);
    if (!read || !read.Value()) {
        // One unreadable document never ends the run: it is skipped and reported by the caller.
        m_notImported.push_back({path, read.Error()});
        return true;
    }
    std::unique_ptr<CWordDocument> document = std::move(read).Value();
    m_documentPath = path;
    if (m_doc.Settings().IncludeSourceDocGraphics == 1) {
        CopyDocumentPictures(*document, path);
        if (m_doc.Settings().TemplateType == kTextOnlyTemplate && !m_documentPictures.empty())
            m_documentPicturesOnly = 1;
    }
    bool ok = true;
    if (!document->paragraphs.empty())
        ok = ConvertParagraphs(*document);
    ReportUnplacedPictures(path);
    KeepScreenLinks();
    m_currentEditor = -1;
    m_host.RefreshPageThumbnail();
    if (ok && m_doc.Settings().CreateObjectivePages == 1 && objectives)
        CompleteObjectivesScreen(objectives, m_topicWords);
    return ok;
}

void CWordDocImporter::FinishScreen()
{
    PlaceScreenPictures();
    TitleScreenFromText(m_editors.empty() ? nullptr : m_editors[0], m_currentScreen);
    KeepScreenLinks();
    m_host.UpdateCurrentTreeItemText();
    m_host.RefreshCurrentThumbnail();
}

bool CWordDocImporter::ConvertParagraphs(const CWordDocument &doc)
{
    size_t nextTable = doc.tables.empty() ? 0 : 1;
    QString term, description;
    int previousState = stateNone;
    int savedState = stateNone;
    bool questionHeld = false;   // a stem was stored and its screen not made yet

    // A generated complete-the-paragraph question still open is finished on its own screen first.
    const auto finishPendingQuestion = [&] {
        FinishCompleteParagraph();
        if (m_currentScreen)
            m_currentScreen->SetTitle(QStringLiteral("Complete Paragraph"));
        m_questionPending = 0;
        m_host.UpdateCurrentTreeItemText();
        m_host.RefreshCurrentThumbnail();
    };
    const auto makeQuestion = [&] {
        if (m_questionPending)
            finishPendingQuestion();
        MakeMultipleChoiceScreen();
        AdvanceLabel(m_contentLabel);
        m_questionPending = 0;
        m_topicStart = 0;
        questionHeld = false;
    };

    CProgress &progress = m_doc.GetContext().Progress();
    for (size_t index = 0; index < doc.paragraphs.size(); ++index) {
        if (progress.IsCancelled())
            break;
        const CWordDocument::Paragraph &paragraph = doc.paragraphs[index];
        if (nextTable > 0 && doc.tables[nextTable - 1].start == paragraph.start) {
            const CWordDocument::Table &table = doc.tables[nextTable - 1];
            if (table.paragraphCount > 0)
                index += size_t(table.paragraphCount) - 1;
            ImportWordTable(doc, table);
            nextTable = nextTable < doc.tables.size() ? nextTable + 1 : 0;
            continue;
        }
        const bool isList = paragraph.listType > 0;
        m_topicWords += paragraph.wordCount;
        QString text = WordTextRules::CleanParagraphText(paragraph.text, true);

        int previous = previousState;
        if (previous == stateTerm || previous == stateDescription)
            previous = savedState;
        else
            savedState = previous;

        const QString &style = paragraph.styleName;
        int state = stateText;
        if (style.compare(u"stem", Qt::CaseInsensitive) == 0) {
            state = stateStem;
            if (previous == stateText) {
                if (questionHeld) {
                    makeQuestion();
                } else if (m_questionPending) {
                    finishPendingQuestion();
                } else if (m_currentEditor != -1) {
                    FinishScreen();
                }
            } else if (previous == stateStem || previous == stateOption || previous == stateOptionYes) {
                makeQuestion();
            }
        } else if (style.compare(u"option", Qt::CaseInsensitive) == 0) {
            state = stateOption;
        } else if (style.compare(u"optionyes", Qt::CaseInsensitive) == 0) {
            state = stateOptionYes;
        } else if (style.compare(u"kv_glossary", Qt::CaseInsensitive) == 0) {
            state = stateTerm;
            if (!description.isEmpty()) {
                CollectGlossaryEntry(term.isEmpty() ? kNoGlossaryItemName : term, description);
                term.clear();
                description.clear();
            }
            term = text;
        } else if (style.compare(u"kv_description", Qt::CaseInsensitive) == 0) {
            state = stateDescription;
            description += text;
        } else {
            if (previous == stateStem) {
                if (!term.isEmpty()) {
                    CollectGlossaryEntry(term, description);
                    term.clear();
                    description.clear();
                }
                // The paragraph right after a stem is placed as ordinary text; the question stays held,
                // and options that follow still join it.
            } else if (questionHeld) {
                makeQuestion();
            }
        }

        if (state == stateStem || state == stateOption || state == stateOptionYes) {
            if (text.endsWith(u'\n'))
                text.chop(1);
            if (state == stateStem) {
                m_question.Reset();
                m_question.stem = text;
                questionHeld = true;
            } else if (m_question.count >= CQuestionOptions::kMaxOptions) {
                m_doc.Prompt().Information(CStringTable::Load(35065));
            } else {
                m_question.AddOption(text, state == stateOptionYes ? 1 : 0);
            }
            m_currentEditor = -1;
        } else if (state == stateText) {
            // Only text that flows into boxes carries its links; questions and glossary entries are plain.
            if (std::any_of(paragraph.runs.begin(), paragraph.runs.end(),
                            [](const CWordDocument::Run &run) { return !run.link.isEmpty(); }))
                text = WordTextRules::CleanParagraphText(m_importedLinks.MarkedParagraphText(paragraph), true);
            const bool heading = style.contains(QStringLiteral("Heading"));
            bool newScreen = false;
            if (m_doc.Settings().ForceNewPage && m_doc.Settings().UseSrcWordHeadings && heading)
                newScreen = true;
            if (text.startsWith(QChar(12))) {
                if (m_doc.Settings().ForceNewPage && m_doc.Settings().UseSrcPageBreaks)
                    newScreen = true;
                text.remove(0, 1);
            }
            text.remove(QChar(12));
            bool ok;
            if (m_doc.Settings().UseSourceDocumentFonts && !m_questionPending)
                ok = !KeepFormattedParagraph(text) || FlowFormattedParagraph(paragraph, newScreen, paragraph.end);
            else
                ok = FlowParagraph(text, newScreen, heading, isList, paragraph.listType, paragraph.alignment,
                                   paragraph.leftIndent, paragraph.start, paragraph.end);
            if (!ok)
                return false;
        }
        previousState = state;
    }

    // End of the document: a glossary run at the end does not hide the state before it.
    if (!term.isEmpty())
        CollectGlossaryEntry(term, description);
    int last = previousState;
    if (last == stateTerm || last == stateDescription)
        last = savedState;
    if (questionHeld && last == stateText)
        makeQuestion();
    if (m_questionPending) {
        FinishCompleteParagraph();
        TitleScreenFromText(m_editors.empty() ? nullptr : m_editors[0], m_currentScreen);
        m_host.UpdateCurrentTreeItemText();
        m_questionPending = 0;
    } else if (last == stateText && m_currentEditor != -1) {
        FinishScreen();
    } else if (last == stateStem || last == stateOption || last == stateOptionYes) {
        makeQuestion();
    }
    return true;
}

void CWordDocImporter::CollectGlossaryEntry(const QString &term, const QString &text)
{
    m_glossary.push_back({term, text});
}

void CWordDocImporter::MakeMultipleChoiceScreen()
{
    CComponentMultipleChoice::Options options;
    CComponentMultipleChoice::CorrectFlags correct{};
    for (int i = 0; i < m_question.count && i < int(options.size()); ++i) {
        options[size_t(i)] = m_question.options[size_t(i)];
        correct[size_t(i)] = m_question.correct[size_t(i)];
    }
    const QString right = m_lastTopic ? m_doc.Settings().AssmntFeedBackCorrect : m_doc.Settings().FeedBackCorrect;
    const QString wrong = m_lastTopic ? m_doc.Settings().AssmntFeedBackWrong : m_doc.Settings().FeedBackWrong;
    CScreenFactory factory(m_doc);
    CCorvPage *screen = factory.AddMultipleChoiceScreen(QStringLiteral("Multiple Choice"), m_contentLabel, nullptr,
                                                        m_question.stem, options, correct, right, wrong, 0, 0,
                                                        QString());
    if (!screen)
        return;
    m_host.AddPageAndSelect(screen);
    m_host.RepaintCanvas();
    LeaveCurrentScreen();
    m_currentScreen = screen;
    m_editors.clear();
    m_placeholders.clear();
}

void CWordDocImporter::FormatTableCells(CComponentTable &component, const CWordDocument &doc,
                                        const CWordDocument::Table &table, int firstRow)
{
    const size_t end = std::min(doc.paragraphs.size(), size_t(table.firstParagraph) + size_t(std::max(0, table.paragraphCount)));
    std::map<std::pair<int, int>, std::vector<const CWordDocument::Paragraph *>> cells;
    for (size_t i = size_t(std::max(0, table.firstParagraph)); i < end; ++i) {
        const CWordDocument::Paragraph &p = doc.paragraphs[i];
        if (p.cellRow >= 0 && p.cellColumn >= 0)
            cells[{p.cellRow, p.cellColumn}].push_back(&p);
    }
    for (const auto &[at, paragraphs] : cells) {
        CRichTextLinks *cell = component.GetCell(at.first - firstRow, at.second);
        if (!cell)
            continue;
        CRichText &text = cell->GetRichText();
        const CCharFormat base = text.GetTextLength() > 0 ? text.GetCharFormatAt(0) : text.GetDefaultCharFormat();
        text.ReplaceAll(QString());
        for (size_t k = 0; k < paragraphs.size(); ++k) {
            if (k > 0) {
                text.SetSel(text.GetTextLength(), text.GetTextLength());
                text.AppendText(QStringLiteral("\r"), 0);
            }
            for (const CWordDocument::Run &run : paragraphs[k]->runs) {
                QString piece = run.text;
                piece.remove(QChar(1));
                piece.remove(QChar(7));
                piece.remove(QChar(12));
                piece.replace(QChar(11), u'\r');
                if (piece.isEmpty() || run.hidden)
                    continue;
                const int start = text.GetTextLength();
                text.SetSel(start, start);
                text.AppendText(piece, 0);
                CCharFormat format = base;
                format.mask = CFM_ALL & ~CFM_LINK;
                format.SetEffect(CFE_BOLD, run.bold);
                format.SetEffect(CFE_ITALIC, run.italic);
                format.SetEffect(CFE_UNDERLINE, run.underline);
                format.SetEffect(CFE_STRIKEOUT, run.strike);
                if (run.colour != CWordDocument::autoColour) {
                    format.SetEffect(CFE_AUTOCOLOR, false);
                    format.colour = run.colour;
                }
                text.SetCharFormat(start, text.GetTextLength(), format);
            }
        }
    }
}

bool CWordDocImporter::PlaceTableInPlaceholder(const CWordDocument &doc, const CWordDocument::Table &table)
{
    if (m_currentEditor < 0 || size_t(m_currentEditor) >= m_placeholders.size() || !m_currentScreen)
        return false;
    CComponentBase *placeholder = m_placeholders[size_t(m_currentEditor)];
    if (!placeholder || !m_currentScreen->Contains(placeholder))
        return false;
    // A table beyond one component goes over screens of its own.
    if (table.columns > CComponentTable::kMaxColumns || table.rows > RowsPerComponent(table.columns))
        return false;
    // Points against pixels, as the screen's layout was drawn.
    const CRect rect = placeholder->GetBounds();
    if (table.widthPoints > rect.Width() || table.heightPoints > rect.Height())
        return false;
    auto component = CNewComponents::Table(m_doc, CNewComponents::DefaultTableSettings(table.rows, table.columns));
    const QString endOfCell = QStringLiteral("\r\a");
    for (int row = 0; row < int(table.cellTexts.size()) && row < table.rows; ++row) {
        const std::vector<QString> &cells = table.cellTexts[size_t(row)];
        for (int column = 0; column < int(cells.size()) && column < table.columns; ++column)
            component->SetCellText(QString(cells[size_t(column)]).remove(endOfCell), row, column);
    }
    FormatTableCells(*component, doc, table);
    component->SetBounds(rect, true);
    m_currentScreen->RemoveComponent(placeholder, 0);
    m_placeholders[size_t(m_currentEditor)] = nullptr;
    m_currentScreen->AddComponent(std::move(component));
    m_host.RepaintCanvas();
    return true;
}

void CWordDocImporter::ImportWordTable(const CWordDocument &doc, const CWordDocument::Table &table)
{
    if (table.rows <= 0 || table.columns <= 0) {
        m_leftOut.push_back({QString(), QStringLiteral("A table without rows or columns was left out.")});
        return;
    }
    if (PlaceTableInPlaceholder(doc, table))
        return;   // the text goes on in the same box
    const int columns = std::min(table.columns, CComponentTable::kMaxColumns);
    if (table.columns > columns)
        m_leftOut.push_back({m_documentPath, QStringLiteral("Columns %1 to %2 of a table of %3 were left out: a table "
                                                            "holds at most %4 columns.")
                                                 .arg(columns + 1)
                                                 .arg(table.columns)
                                                 .arg(DocumentName(m_documentPath))
                                                 .arg(CComponentTable::kMaxColumns)});
    if (m_questionPending)
        FinishCompleteParagraph();
    if (m_currentEditor != -1)
        FinishScreen();
    LeaveCurrentScreen();
    m_editors.clear();
    m_placeholders.clear();
    m_currentEditor = -1;
    // A table larger than one table component holds goes on over further table screens: no row is lost.
    const int rowsPerScreen = RowsPerComponent(columns);
    for (int firstRow = 0; firstRow < table.rows; firstRow += rowsPerScreen) {
        if (firstRow > 0)
            LeaveCurrentScreen();
        CScreenFactory factory(m_doc);
        const CDocumentTable source(table, firstRow, rowsPerScreen, columns);
        CCorvPage *screen = factory.AddWordTableScreen(QStringLiteral("Untitled table"), m_contentLabel, source);
        AdvanceLabel(m_contentLabel);
        if (screen) {
            std::vector<CComponentBase *> tables;
            if (screen->GetComponentsOfType(ct_table, tables) > 0)
                if (auto *component = dynamic_cast<CComponentTable *>(tables.front()))
                    FormatTableCells(*component, doc, table, firstRow);
            m_host.AddPageAndSelect(screen);
            m_host.RepaintCanvas();
            m_currentScreen = screen;
        }
        ++m_screenCounter;
    }
    m_questionPending = 0;
    m_topicStart = 0;
}

void CWordDocImporter::FinishCompleteParagraph()
{
    if (!m_currentScreen)
        return;
    std::vector<CComponentBase *> questions;
    if (m_currentScreen->GetComponentsOfType(ct_complete_paragraph, questions) == 0)
        return;
    if (auto *question = dynamic_cast<CComponentCompleteParagraph *>(questions.front()))
        question->PickMissingWords(m_doc.Settings().DragDropQuestWordCount, m_doc.GetContext().Random());
}

void CWordDocImporter::CopyDocumentPictures(const CWordDocument &document, const QString &path)
{
    m_documentPictures.clear();
    if (document.pictures.empty())
        return;
    const QString base = CDocumentPicture::BaseName(path);
    QString root = m_doc.GetContext().appDataFolder;
    if (root.isEmpty())
        root = QDir::temp().filePath(QStringLiteral("Corvessa"));
    const QString folder = QDir(root).filePath(QStringLiteral("tmp/") + base);
    if (!m_preparedPictureFolders.contains(folder)) {
        // Pictures of an earlier run go; the folder itself is only ever emptied of its own files.
        const QFileInfo info(folder);
        if (info.isDir() && !info.isSymLink()) {
            const QDir dir(folder);
            for (const QFileInfo &file : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System))
                QFile::remove(file.absoluteFilePath());
        }
        QDir().mkpath(folder);
        m_preparedPictureFolders.insert(folder);
    }
    for (size_t i = 0; i < document.pictures.size(); ++i) {
        const CWordDocument::Picture &picture = document.pictures[i];
        const QString file = QDir(folder).filePath(QStringLiteral("%1_src_%2.jpg").arg(base).arg(m_pictureNumber));
        const CStatus saved = CDocumentPicture::SaveAsJpeg(picture, file);
        if (!saved) {
            m_leftOut.push_back({path, QStringLiteral("Picture %1 of the document (%2) cannot be read and was left "
                                                      "out: %3.").arg(i + 1).arg(QFileInfo(picture.name).fileName(),
                                                                                saved.Error())});
            continue;
        }
        ++m_pictureNumber;
        m_documentPictures.push_back({picture.position, file, int(i) + 1});
    }
}

void CWordDocImporter::ReportUnplacedPictures(const QString &path)
{
    if (m_documentPictures.empty())
        return;
    QStringList numbers;
    for (const CPos2Img &picture : m_documentPictures)
        numbers << QString::number(picture.number);
    const QString last = numbers.takeLast();
    const QString which = numbers.isEmpty() ? QStringLiteral("Picture %1").arg(last)
                                            : QStringLiteral("Pictures %1 and %2").arg(numbers.join(QStringLiteral(", ")), last);
    m_leftOut.push_back({path, QStringLiteral("%1 of %2 did not come in: no screen made from the text around %3 had "
                                              "a free picture place.")
                                   .arg(which, DocumentName(path),
                                        numbers.isEmpty() ? QStringLiteral("it") : QStringLiteral("them"))});
}

bool CWordDocImporter::TakeDocumentPicture(QString &path)
{
    for (auto it = m_documentPictures.begin(); it != m_documentPictures.end(); ++it) {
        if (it->position < m_screenTextStart || it->position > m_paragraphEnd)
            continue;
        path = it->file;
        m_documentPictures.erase(it);
        if (m_documentPicturesOnly)
            m_documentPictureOnScreen = 1;
        return true;
    }
    return false;
}

void CWordDocImporter::MakeFinalScreens()
{
    if (m_doc.Settings().CreateFinalFeedbackScreen != 1 || m_doc.GetFinalPerformanceFolder())
        return;
    LeaveCurrentScreen();
    const QString label = m_contentLabel;
    CContentScreenFactory screens(m_doc);
    CCorvPage *folder = screens.AddFinalPerformanceFolder(QStringLiteral("Final Performance Screens"), label, nullptr);
    if (!folder)
        return;
    m_doc.SetFinalPerformanceFolder(folder);
    m_host.AddPageAndSelect(folder);
    const auto add = [&](CCorvPage *screen) {
        if (screen)
            m_host.AddPageAndSelect(screen);
        return screen;
    };
    if (m_doc.Settings().SetPercentagePassMark) {
        add(screens.AddPassScreen(QStringLiteral("Pass"), label + QStringLiteral("_1"), nullptr));
        if (CCorvPage *message = add(screens.AddMessageScreen(QStringLiteral("Message"), label + QStringLiteral("_1_1"), nullptr))) {
            m_currentScreen = message;
            m_host.RefreshCurrentThumbnail();
            message->LeaveCanvas();
        }
        add(screens.AddFailScreen(QStringLiteral("Fail"), label + QStringLiteral("_2"), nullptr));
        if (CCorvPage *message = add(screens.AddMessageScreen(QStringLiteral("Message"), label + QStringLiteral("_2_1"), nullptr))) {
            m_currentScreen = message;
            m_host.RefreshCurrentThumbnail();
        }
    } else if (CCorvPage *message = add(screens.AddMessageScreen(QStringLiteral("Message"), label + QStringLiteral("_1"), nullptr))) {
        m_currentScreen = message;
        m_host.RefreshCurrentThumbnail();
    }
    m_host.RepaintCanvas();
}

void CWordDocImporter::AddCollectedGlossary()
{
    for (const Glossary &entry : m_glossary)
        m_host.AddGlossaryItem(entry.term, entry.text);
}
