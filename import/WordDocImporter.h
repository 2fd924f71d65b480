#pragma once

#include "import/ImportedLinks.h"
#include "import/WordDocument.h"
#include "platform/Result.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class CCorvPage;
class CCorvessaDoc;
class CComponentBase;
class CComponentImage;
class CComponentTable;
class CGraphicsLibrarySearch;
class CImportHost;
class CRichText;
class CRichTextLinks;
class CTopic;

// Turns a list of topics, each naming a source document, into topics and screens of the open course: a
// main menu, topic screens, Objectives screens, content screens whose text boxes receive the documents'
// paragraphs, multiple-choice screens from the question styles, complete-the-paragraph questions made
// every n screens, tables, the documents' own pictures and glossary entries from the glossary styles.
// Paragraph styles decide what each paragraph becomes; text that overflows a text box goes on to the next
// box or screen.
class CWordDocImporter
{
public:
    struct Glossary
    {
        QString term;
        QString text;
    };

    // The question being collected from "stem", "option" and "optionyes" paragraphs.
    struct CQuestionOptions
    {
        static constexpr int kMaxOptions = 5;
        QString stem;
        std::array<QString, kMaxOptions> options;
        std::array<int, kMaxOptions> correct{};
        int count = 0;
        void Reset() { *this = CQuestionOptions(); }
        void AddOption(const QString &text, int isCorrect);
    };

    // A source document that could not be read, or a part of one left out, and why.
    struct NotImported
    {
        QString path;
        QString reason;
    };

    // A picture copied out of the document being converted: the character position it stands at and the
    // JPEG file it was saved as. Removed once placed.
    struct CPos2Img
    {
        int position = 0;
        QString file;
        int number = 0;   // the picture's place among the document's pictures, from 1
    };

    // Reads a document: the document, or the reason it cannot be read.
    using DocumentLoader = std::function<CResult<std::unique_ptr<CWordDocument>>(const QString &path)>;
    // Hands a PowerPoint file to the presentation importer: (path, topic screen or null, insertion mode,
    // insertion label) -> the screen it made last, or why it made none.
    using PowerPointImport = std::function<CResult<CCorvPage *>(const QString &path, CCorvPage *topicScreen,
                                                                int mode, const QString &label)>;

    CWordDocImporter(CCorvessaDoc &document, CGraphicsLibrarySearch *library, CImportHost &host);
    ~CWordDocImporter();

    void SetInsertionPoint(int mode, const QString &label);
    void ResetInsertionPoint() { SetInsertionPoint(0, QString()); }
    void SetDocumentLoader(DocumentLoader loader) { m_loader = std::move(loader); }
    void SetPowerPointImport(PowerPointImport import) { m_powerPoint = std::move(import); }

    // Converts every topic in order. Succeeds when it ran to the end (also for an empty list or when every
    // document was skipped, see GetNotImported); fails with the message for the author when the graphics
    // library lacks its pictures or no screen could be made.
    CStatus ConvertDocuments(const std::vector<const CTopic *> &topics, bool createMainMenu, bool createTopicScreens,
                          const QString &firstLabel);

    // The glossary entries handed to the document by the last run.
    int GetGlossaryCount() const { return int(m_glossary.size()); }
    const std::vector<Glossary> &GetGlossary() const { return m_glossary; }
    // Documents skipped because they could not be read; the caller reports them.
    const std::vector<NotImported> &GetNotImported() const { return m_notImported; }
    // Pictures and tables of the imported documents that were left out, and why; the caller reports them.
    const std::vector<NotImported> &GetLeftOut() const { return m_leftOut; }
    // The pictures of the document being converted that no screen has taken yet.
    const std::vector<CPos2Img> &GetDocumentPictures() const { return m_documentPictures; }

    // Gives each cell of the component the runs of its paragraphs in the document, with their bold, italic,
    // underline, strike-through and colour (the table's own face and size stay); cells the document's
    // paragraphs do not address keep their text.
    // firstRow: the document row shown in the component's first row (a table continued over screens).
    static void FormatTableCells(CComponentTable &component, const CWordDocument &doc, const CWordDocument::Table &table,
                                 int firstRow = 0);
    // "" -> "1", "7" -> "8", "1_2" -> "1_3".
    static void AdvanceLabel(QString &label);
    // "Introduction to safety" -> "Introduction to...".
    static QString TitleFromText(const QString &text);
    // The number of 18-point indent steps for a left indent in points.
    static int IndentSteps(double leftIndent);
    // What a file name makes of a topic: 1 word-processing document, 2 presentation, 0 skipped.
    static int FileKind(const QString &path);

private:
    // ---- Driver ----
    CStatus CheckLibraryPictures() const;
    void SetLibrarySwitches();
    bool ConvertTopic(const CTopic &topic, int topicIndex, int topicCount, bool createTopicScreens);
    bool ConvertSource(const QString &source, CCorvPage *topicScreen, CCorvPage *objectives);
    bool ConvertWordDocument(const QString &path, CCorvPage *objectives);
    bool ConvertParagraphs(const CWordDocument &doc);
    void EndOfDocument(int lastState);
    void MakeFinalScreens();
    void AddCollectedGlossary();
    void CollectGlossaryEntry(const QString &term, const QString &text);
    void MakeMultipleChoiceScreen();
    void FinishScreen();
    void ImportWordTable(const CWordDocument &doc, const CWordDocument::Table &table);
    bool PlaceTableInPlaceholder(const CWordDocument &doc, const CWordDocument::Table &table);
    void CopyDocumentPictures(const CWordDocument &document, const QString &path);
    // The document's pictures that no screen took, reported with the reason.
    void ReportUnplacedPictures(const QString &path);
    bool TakeDocumentPicture(QString &path);
    void FinishCompleteParagraph();
    bool FitWithoutPlaceholder();

    // ---- Text flow ----
    CCorvPage *NewContentScreen(CCorvPage *anchor);
    bool OpenScreen(int start);
    bool StartOver(int start);
    bool ScreenFull();
    void LeaveCurrentScreen();
    bool FlowParagraph(QString text, bool newScreen, bool heading, bool isList, int listType, int alignment,
                       double leftIndent, int start, int end);
    bool KeepFormattedParagraph(const QString &text);
    bool FlowFormattedParagraph(const CWordDocument::Paragraph &paragraph, bool newScreen, int end);
    void FormatAppendedRun(CRichText &box, int runStart, bool heading, bool isList, int listType, int alignment,
                           double leftIndent);
    void TitleScreenFromText(CRichText *box, CCorvPage *screen);
    void PlaceScreenPictures();
    // The document's picture for the screen's text range first (unless libraryOnly); else, unless
    // documentOnly, a library picture chosen for the text.
    void PlacePicture(CComponentImage *placeholder, const QString &text, bool documentOnly = false,
                      bool libraryOnly = false);
    bool LocateLibraryPicture(QString &fileName) const;
    void CountPictureForKenBurns(CComponentImage *image);
    CCorvPage *MakeObjectivesScreen(const CTopic &topic);
    void CompleteObjectivesScreen(CCorvPage *objectives, int words);
    void TakeEditors(CCorvPage *screen);
    void KeepScreenLinks();

    QString BodyFace() const;
    int BodyPoints() const;
    int Random();

    CCorvessaDoc &m_doc;
    CGraphicsLibrarySearch *m_library;
    CImportHost &m_host;
    DocumentLoader m_loader;
    PowerPointImport m_powerPoint;

    QString m_topLabel = QStringLiteral("1");
    QString m_topicLabel = QStringLiteral("1_1");
    QString m_contentLabel = QStringLiteral("1_1_1");
    CCorvPage *m_currentScreen = nullptr;
    std::vector<CRichText *> m_editors;
    std::vector<CComponentBase *> m_editorComponents;   // the component of each text box
    std::vector<CRichTextLinks *> m_editorLinks; // the link list of each box; null where a box keeps none
    CImportedLinks m_importedLinks;
    int m_currentEditor = -1;
    std::vector<CComponentBase *> m_placeholders;
    int m_screenTextStart = 0;
    int m_paragraphEnd = 0;
    int m_blankRun = 0;
    int m_paragraphsOnScreen = 0;
    int m_screenCounter = 1;
    int m_questionPending = 0;
    std::vector<Glossary> m_glossary;
    CCorvPage *m_mainMenu = nullptr;
    int m_topicStart = 1;
    int m_lastTopic = 0;
    int m_kenBurnsOn = 0;
    int m_kenBurnsRate = 3;
    int m_kenBurnsCount = 0;
    int m_insertionMode = 0;
    QString m_insertionLabel;
    int m_topicWords = 0;
    CQuestionOptions m_question;
    std::vector<NotImported> m_notImported;
    std::vector<NotImported> m_leftOut;
    QString m_documentPath;   // the Word document being converted
    std::vector<CPos2Img> m_documentPictures;
    int m_pictureNumber = 1;
    QSet<QString> m_preparedPictureFolders;   // emptied once in a run, so a second document keeps the first's
    int m_documentPicturesOnly = 0;
    int m_documentPictureOnScreen = 0;
    std::unique_ptr<class CRichText> m_formattedParagraph; // the transfer buffer of the formatted flow
};
