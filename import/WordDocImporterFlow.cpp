// How the Word importer pours paragraphs into the text boxes of template screens.
#include "import/WordDocImporter.h"

#include "document/ContentScreenFactory.h"
#include "document/CorvessaDoc.h"
#include "document/ScreenFactory.h"
#include "import/ImportHost.h"
#include "import/WordTextRules.h"
#include "model/ComponentImage.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentType.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/GraphicsLibrarySearch.h"
#include "model/ComponentCompleteParagraph.h"
#include "model/Topic.h"
#include "platform/RandomSource.h"
#include "platform/richtext/RichText.h"

#include <QFileInfo>

#include <cmath>

namespace {

constexpr int kMaxLibraryAttempts = 25;
constexpr int kTextOnlyTemplate = 13;
constexpr int kTextAndPictureTemplate = 9;
// The instruction of the generated complete-the-paragraph questions.
const QString kCompleteParagraphInstruction =
    QStringLiteral("Click and drag these words to the correct location to complete the paragraph below.");
// The text box of a screen that shows no picture takes the whole screen.
constexpr CRect kFullScreenTextBox{36, 32, 972, 520};

bool IsBlank(const QString &text)
{
    return text.isEmpty() || text == u"\n" || text == u"\r" || text == u"\n\r";
}

QString TrimLeadingChars(const QString &text, QStringView chars)
{
    qsizetype i = 0;
    while (i < text.size() && chars.contains(text[i]))
        ++i;
    return text.mid(i);
}

QString TrimTrailingChars(QString text, QStringView chars)
{
    qsizetype n = text.size();
    while (n > 0 && chars.contains(text[n - 1]))
        --n;
    text.truncate(n);
    return text;
}

bool IsSentenceEnd(const QString &text, int i)
{
    const QChar c = text[i];
    if (c != u'.' && c != u'!' && c != u'?')
        return false;
    int next = i + 1;
    while (next < text.size() && CImportedLinks::IsMark(text[next]))
        ++next;
    return next >= text.size() || text[next].isSpace();
}

} // namespace

void CWordDocImporter::TakeEditors(CCorvPage *screen)
{
    m_editors.clear();
    m_editorLinks.clear();
    m_editorComponents.clear();
    m_placeholders.clear();
    if (!screen)
        return;
    for (const auto &component : screen->GetComponentList()) {
        const int type = component->GetType();
        if ((type == ct_textbox || type == ct_complete_paragraph) && m_editors.size() < 2) {
            if (CRichText *text = component->GetEditorText()) {
                const CRect &b = component->GetBounds();
                text->SetLayoutSize(b.Width(), b.Height());
                m_editors.push_back(text);
                m_editorComponents.push_back(component.get());
                auto *textbox = dynamic_cast<CComponentTextbox *>(component.get());
                m_editorLinks.push_back(textbox ? &textbox->GetContent() : nullptr);
            }
        }
    }
    screen->GetImageComponents(m_placeholders);
    if (m_placeholders.size() > 2)
        m_placeholders.resize(2);
}

CCorvPage *CWordDocImporter::NewContentScreen(CCorvPage *anchor)
{
    const QString label = m_contentLabel;
    AdvanceLabel(m_contentLabel);
    int size = m_doc.Settings().GraphicSize;
    if (size == 3)
        size = Random() % 3;
    int layout = m_doc.Settings().TemplateType;
    if (layout == 10)
        layout = Random() % 10;
    else if (layout == 11)
        layout = Random() % 6;
    else if (layout == 12)
        layout = 6 + Random() % 4;
    else if (layout == kTextOnlyTemplate && m_documentPicturesOnly)
        layout = kTextAndPictureTemplate;
    m_documentPictureOnScreen = 0;
    CCorvPage *screen = nullptr;
    // Every n-th screen of the run is a question made of the text that follows, unless it opens a topic.
    const int interval = m_doc.Settings().DragDropQuestInterval;
    const bool question = m_doc.Settings().AutoCreateDragDropQuest == 1 && interval > 0 && m_screenCounter % interval == 0
                          && m_topicStart == 0;
    if (question) {
        const QString right = m_lastTopic ? m_doc.Settings().AssmntFeedBackCorrect : m_doc.Settings().FeedBackCorrect;
        const QString wrong = m_lastTopic ? m_doc.Settings().AssmntFeedBackWrong : m_doc.Settings().FeedBackWrong;
        CScreenFactory factory(m_doc);
        screen = factory.AddCompleteParagraphScreen(QString(), label, anchor, kCompleteParagraphInstruction, QString(),
                                                    CComponentQuestion::Words{}, right, wrong);
    } else if (layout >= 0 && layout < CContentScreenFactory::kTemplateCount) {
        CContentScreenFactory screens(m_doc);
        screen = screens.AddContentScreenTemplate(layout, QString(), label, anchor, size, 0);
    } else {
        CScreenFactory factory(m_doc);
        screen = factory.AddTextScreen(QString(), label, anchor, 0);
    }
    m_questionPending = question && screen ? 1 : 0;
    m_topicStart = 0;
    if (!screen)
        return nullptr;
    m_host.AddPageAndSelect(screen);
    m_host.RepaintCanvas();
    m_currentScreen = screen;
    TakeEditors(screen);
    m_currentEditor = m_editors.empty() ? -1 : 0;
    ++m_screenCounter;
    return screen;
}

void CWordDocImporter::KeepScreenLinks()
{
    for (size_t i = 0; i < m_editors.size(); ++i)
        m_importedLinks.KeepLinks(*m_editors[i], i < m_editorLinks.size() ? m_editorLinks[i] : nullptr);
}

void CWordDocImporter::LeaveCurrentScreen()
{
    if (!m_currentScreen)
        return;
    KeepScreenLinks();
    m_host.RefreshCurrentThumbnail();
    m_currentScreen->LeaveCanvas();
    m_host.ClearCanvasSelection();
    m_host.RepaintCanvas();
}

bool CWordDocImporter::OpenScreen(int start)
{
    if (m_questionPending)
        FinishCompleteParagraph();
    LeaveCurrentScreen();
    if (!NewContentScreen(nullptr) || m_currentEditor < 0) {
        m_screenTextStart = m_paragraphEnd = 0;
        return false;
    }
    m_paragraphsOnScreen = 0;
    m_screenTextStart = start;
    return true;
}

bool CWordDocImporter::StartOver(int start)
{
    if (m_questionPending)
        FinishCompleteParagraph();
    FinishScreen();
    return OpenScreen(start);
}

bool CWordDocImporter::ScreenFull()
{
    if (m_questionPending)
        FinishCompleteParagraph();
    if (m_currentScreen) {
        TitleScreenFromText(m_editors.empty() ? nullptr : m_editors[0], m_currentScreen);
        m_host.UpdateCurrentTreeItemText();
    }
    LeaveCurrentScreen();
    if (!NewContentScreen(nullptr) || m_currentEditor < 0) {
        m_screenTextStart = m_paragraphEnd = 0;
        return false;
    }
    m_paragraphsOnScreen = 0;
    return true;
}

void CWordDocImporter::TitleScreenFromText(CRichText *box, CCorvPage *screen)
{
    if (!box || !screen)
        return;
    QString text = CImportedLinks::StripMarks(box->GetText());
    text.replace(u'\r', u'\n');
    screen->SetTitle(TitleFromText(text));
}

void CWordDocImporter::FormatAppendedRun(CRichText &box, int runStart, bool heading, bool isList, int listType,
                                         int alignment, double leftIndent)
{
    const int runEnd = box.GetTextLength();
    CCharFormat format;
    format.mask = CFM_BOLD | CFM_SIZE | CFM_OFFSET;
    if (heading && !m_questionPending) {
        format.mask |= CFM_FACE;
        format.effects = CFE_BOLD;
        format.face = BodyFace();
        format.height = (BodyPoints() + 2) * 20;
        format.offset = 200;
    } else {
        format.height = BodyPoints() * 20;
        format.offset = m_questionPending ? 60 : 20;
    }
    box.SetCharFormat(runStart, runEnd, format);
    const auto atRunStart = [&] { box.SetSel(runStart, runStart); };
    if (isList) {
        atRunStart();
        box.IndentByZero();
        if (listType == CWordDocument::listBullet)
            box.ToggleBullet();
        else
            box.ToggleNumbering();
    }
    if (alignment >= 1 && alignment <= 3) {
        atRunStart();
        box.IndentByZero();
        if (alignment == 1)
            box.AlignCenter();
        else if (alignment == 2)
            box.AlignRight();
        else
            box.AlignJustify();
    }
    if (leftIndent > 0) {
        atRunStart();
        box.IndentByZero();
        for (int i = IndentSteps(leftIndent); i > 0; --i)
            box.IncreaseIndent();
    }
    CImportedLinks::HideMarks(box, runStart, runEnd);
    box.SetSel(runStart, runEnd);
}

bool CWordDocImporter::FlowParagraph(QString text, bool newScreen, bool heading, bool isList, int listType,
                                     int alignment, double leftIndent, int start, int end)
{
    const bool blank = IsBlank(text);
    const bool firstBoxEmpty = m_currentEditor == 0 && !m_editors.empty() && m_editors[0]->GetTextLength() == 0;
    if (blank && (m_currentEditor == -1 || firstBoxEmpty))
        return true;
    if (TrimTrailingChars(text, u"\n\r").isEmpty())
        ++m_blankRun;
    else
        m_blankRun = 0;
    if (!newScreen && m_blankRun >= 2)
        return true;
    if (newScreen && firstBoxEmpty)
        newScreen = false;

    if (m_currentEditor == -1) {
        if (!OpenScreen(start))
            return false;
    } else if (newScreen) {
        if (!StartOver(start))
            return false;
        if (text == u"\n")
            return true;
    }
    m_paragraphEnd = end;
    if (heading && m_questionPending)
        return true;

    QString rest = text;
    QString carriedHeading;
    for (int guard = 0; guard < 100000; ++guard) {
        CRichText &box = *m_editors[size_t(m_currentEditor)];
        if (!carriedHeading.isEmpty() && !m_questionPending) {
            const int headingStart = box.GetTextLength();
            box.SetSel(headingStart, headingStart);
            box.AppendText(carriedHeading, 0);
            FormatAppendedRun(box, headingStart, true, false, 0, 0, 0);
            carriedHeading.clear();
        }
        if (box.GetTextLength() == 0 && rest.isEmpty())
            return true;
        const int runStart = box.GetTextLength();
        box.AppendText(rest, 0);
        FormatAppendedRun(box, runStart, heading, isList, listType, alignment, leftIndent);
        if (!box.IsOverflowing() || (m_documentPicturesOnly && FitWithoutPlaceholder())) {
            if (!heading && rest != u"\n")
                ++m_paragraphsOnScreen;
            return true;
        }

        const bool lastBox = m_currentEditor >= int(m_editors.size()) - 1;
        bool moveWhole;
        if (!lastBox) {
            CRichText &next = *m_editors[size_t(m_currentEditor) + 1];
            const int trialStart = next.GetTextLength();
            next.SetSel(trialStart, trialStart);
            next.AppendText(rest, 0);
            FormatAppendedRun(next, trialStart, heading, isList, listType, alignment, leftIndent);
            const bool nextOverflows = next.IsOverflowing();
            next.SetSel(trialStart, -1);
            next.ReplaceSel(QString());
            moveWhole = nextOverflows ? m_paragraphsOnScreen > 0 : m_paragraphsOnScreen > 1;
        } else {
            moveWhole = m_paragraphsOnScreen > 0;
        }

        QString newRest;
        if (moveWhole) {
            newRest = rest;
            box.SetSel(runStart, -1);
            box.ReplaceSel(QString());
            if ((lastBox || !m_doc.Settings().UseSourceDocumentFonts) && box.IsLastParagraphBulleted()) {
                const int lastLine = box.GetLineCount() - 1;
                const int from = std::max(0, box.LineIndex(lastLine) - 1);
                box.SetSel(from, -1);
                box.ReplaceSel(QString());
            }
        } else {
            // Split by position: what fits stays, the rest goes on.
            const QString boxText = box.GetText();
            const int hidden = box.CountHiddenLines();
            int visibleEnd = hidden > 0 ? box.LineIndex(box.GetLineCount() - hidden) : box.GetTextLength();
            if (visibleEnd < 0)
                visibleEnd = box.GetTextLength();
            int split = -1;
            for (int i = visibleEnd - 1; i >= runStart && split < 0; --i)
                if (IsSentenceEnd(boxText, i))
                    split = i + 1;
            for (int i = visibleEnd - 1; i > runStart && split < 0; --i)
                if (boxText[i] == u' ')
                    split = i + 1;
            if (split < 0 && visibleEnd > runStart)
                split = visibleEnd;
            if (split < 0 || split <= runStart) {
                // Not even a character of the run fits: keep it here rather than make screens forever.
                if (runStart == 0 || m_paragraphsOnScreen == 0) {
                    ++m_paragraphsOnScreen;
                    return true;
                }
                split = runStart;
            }
            newRest = boxText.mid(split);
            box.SetSel(split, -1);
            box.ReplaceSel(QString());
            newRest.replace(u'\r', u'\n');
            newRest = TrimLeadingChars(newRest, u" \r\n");
            if (lastBox && split > runStart) {
                // The last complete sentence goes on with the surplus, so the next screen starts with it.
                const QString kept = box.GetTextRange(runStart, split);
                const QStringList sentences = WordTextRules::SplitSentences(kept);
                if (sentences.size() > 1) {
                    const int lastStart = split - int(sentences.back().size());
                    newRest = sentences.back().trimmed() + u' ' + newRest;
                    box.SetSel(lastStart, -1);
                    box.ReplaceSel(QString());
                }
            }
            if (!newRest.isEmpty() && !newRest.endsWith(u'\n') && rest.endsWith(u'\n'))
                newRest += u'\n';
        }
        const QString trailing = box.GetTrailingHeadingText(BodyFace(), BodyPoints() + 2);
        if (!trailing.isEmpty()) {
            box.ReplaceSel(QString());
            carriedHeading = trailing;
            if (!carriedHeading.endsWith(u'\n'))
                carriedHeading += u'\n';
        }
        box.ScrollToTop();
        rest = TrimLeadingChars(newRest, u"\n\r");
        if (size_t(m_currentEditor) < m_placeholders.size())
            PlacePicture(dynamic_cast<CComponentImage *>(m_placeholders[size_t(m_currentEditor)]), box.GetText());
        ++m_currentEditor;
        if (m_currentEditor >= int(m_editors.size()) && !ScreenFull())
            return false;
        if (rest.isEmpty() && carriedHeading.isEmpty())
            return true;
    }
    return true;
}

bool CWordDocImporter::KeepFormattedParagraph(const QString &text)
{
    const QString t = text.trimmed();
    const bool firstBoxEmpty = m_currentEditor == 0 && !m_editors.empty() && m_editors[0]->GetTextLength() == 0;
    if (t.isEmpty() && (m_currentEditor == -1 || firstBoxEmpty))
        return false;
    if (t.isEmpty())
        ++m_blankRun;
    else
        m_blankRun = 0;
    return m_blankRun <= 1;
}

namespace {

// The paragraph as the word processor formats it, for the formatted flow's transfer buffer.
CRichText FormattedFragment(const CWordDocument::Paragraph &paragraph, const std::vector<QString> &runTexts,
                            const QString &bodyFace, int bodyPoints)
{
    CRichText fragment;
    for (size_t i = 0; i < paragraph.runs.size(); ++i) {
        const CWordDocument::Run &run = paragraph.runs[i];
        QString text = runTexts[i];
        text.remove(QChar(1));
        text.replace(QChar(11), u'\n');
        text.remove(QChar(12));
        if (text.isEmpty())
            continue;
        const int start = fragment.GetTextLength();
        fragment.SetSel(start, start);
        fragment.AppendText(text, 0);
        CCharFormat f;
        f.mask = CFM_ALL & ~CFM_LINK;
        f.SetEffect(CFE_BOLD, run.bold);
        f.SetEffect(CFE_ITALIC, run.italic);
        f.SetEffect(CFE_UNDERLINE, run.underline);
        f.SetEffect(CFE_STRIKEOUT, run.strike);
        f.SetEffect(CFE_HIDDEN, run.hidden);
        f.SetEffect(CFE_AUTOCOLOR, run.colour == CWordDocument::autoColour);
        f.colour = run.colour == CWordDocument::autoColour ? 0 : run.colour;
        f.face = run.face.isEmpty() ? bodyFace : run.face;
        const double points = run.points > 0 ? run.points : bodyPoints;
        f.height = int(std::lround(points * 20));
        f.offset = run.vertical == CWordDocument::raised ? f.height / 3
                   : run.vertical == CWordDocument::lowered ? -f.height / 4
                                                            : 0;
        fragment.SetCharFormat(start, fragment.GetTextLength(), f);
        CImportedLinks::HideMarks(fragment, start, fragment.GetTextLength());
    }
    const int end = fragment.GetTextLength();
    fragment.SetSel(end, end);
    fragment.AppendText(QStringLiteral("\n"), 0);
    fragment.SetSel(0, 0);
    if (paragraph.listType > 0) {
        if (paragraph.listType == CWordDocument::listBullet)
            fragment.ToggleBullet();
        else
            fragment.ToggleNumbering();
    }
    if (paragraph.alignment == 1)
        fragment.AlignCenter();
    else if (paragraph.alignment == 2)
        fragment.AlignRight();
    else if (paragraph.alignment == 3)
        fragment.AlignJustify();
    for (int i = CWordDocImporter::IndentSteps(paragraph.leftIndent); i > 0; --i)
        fragment.IncreaseIndent();
    return fragment;
}

} // namespace

bool CWordDocImporter::FlowFormattedParagraph(const CWordDocument::Paragraph &paragraph, bool newScreen, int end)
{
    const bool firstBoxEmpty = m_currentEditor == 0 && !m_editors.empty() && m_editors[0]->GetTextLength() == 0;
    if (newScreen && firstBoxEmpty)
        newScreen = false;
    if (m_currentEditor == -1) {
        if (!OpenScreen(paragraph.start))
            return false;
    } else if (newScreen) {
        if (!StartOver(paragraph.start))
            return false;
    }
    m_paragraphEnd = end;
    CRichText pending =
        FormattedFragment(paragraph, m_importedLinks.MarkedRunTexts(paragraph), BodyFace(), BodyPoints());
    for (int guard = 0; guard < 100000; ++guard) {
        CRichText &box = *m_editors[size_t(m_currentEditor)];
        const int pasteAt = box.GetTextLength();
        box.SetSel(pasteAt, pasteAt);
        box.ReplaceSel(pending);
        if (!box.IsOverflowing() || (m_documentPicturesOnly && FitWithoutPlaceholder())) {
            ++m_paragraphsOnScreen;
            return true;
        }
        CRichText surplus = box.CutOverflowAfterLastSentence();
        const QString surplusText = surplus.GetText();
        if (surplus.GetTextLength() == 0 || surplusText.trimmed().isEmpty())
            return true;
        if (box.GetTextLength() == 0 || box.GetText().trimmed().isEmpty()) {
            // Nothing before the overflow can stay: keep the text here rather than make screens forever.
            box.SetSel(0, -1);
            box.ReplaceSel(surplus);
            ++m_paragraphsOnScreen;
            return true;
        }
        box.ScrollToTop();
        if (size_t(m_currentEditor) < m_placeholders.size())
            PlacePicture(dynamic_cast<CComponentImage *>(m_placeholders[size_t(m_currentEditor)]), box.GetText());
        const int length = box.GetTextLength();
        if (length > 0 && box.GetText().back() == u'\r') {
            box.SetSel(length - 1, length);
            box.ReplaceSel(QString());
        }
        ++m_currentEditor;
        if (m_currentEditor >= int(m_editors.size()) && !ScreenFull())
            return false;
        pending = std::move(surplus);
    }
    return true;
}

// ---- Pictures ----

bool CWordDocImporter::LocateLibraryPicture(QString &fileName) const
{
    const QString root = m_doc.GetContext().graphicsLibraryRoot;
    for (const char *folder : {"Vector/", "Stock Photo - color/", "Stock Photo - b&w/", "Photo_Objects/image_JPG/"}) {
        const QString path = root + QLatin1String(folder) + fileName;
        if (QFileInfo(path).isFile()) {
            fileName = path;
            return true;
        }
    }
    return false;
}

void CWordDocImporter::PlacePicture(CComponentImage *placeholder, const QString &text, bool documentOnly,
                                    bool libraryOnly)
{
    if (!placeholder)
        return;
    QString file, reason;
    bool found = false;
    bool documentPicture = false;
    if (!libraryOnly && m_doc.Settings().IncludeSourceDocGraphics == 1 && TakeDocumentPicture(file)) {
        found = documentPicture = true;
    } else {
        if (documentOnly || !m_doc.Settings().AutoGenerateGraphics || !m_library)
            return;
        for (int attempt = 0; attempt < kMaxLibraryAttempts && !found; ++attempt) {
            file.clear();
            reason.clear();
            if (m_library->FindImageForText(CImportedLinks::StripMarks(text), file, reason) != 1)
                return;
            found = LocateLibraryPicture(file);
        }
    }
    if (!found)
        return;
    int width = 0, height = 0;
    GetImageFileSize(width, height, file);
    if (width <= 0 || height <= 0)
        return;   // a picture whose size cannot be read is not placed
    const CRect old = placeholder->GetBounds();
    int w = 0, h = 0;
    double factor = 1;
    FitSizeInBox(old.Width(), old.Height(), width, height, w, h, factor, 0);
    placeholder->SetJpegBorder(m_doc.Settings().AddBorderToImages);
    placeholder->SetBevelled(m_doc.Settings().ImageBorderType);
    placeholder->SetImageFile(file, m_doc.GetContext());
    placeholder->SetAltText(reason);
    const int cx = (old.left + old.right) / 2;
    const int cy = (old.top + old.bottom) / 2;
    placeholder->SetBounds(CRect(cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2), true);
    CountPictureForKenBurns(placeholder);
    if (documentPicture) {
        // The document's own picture stays: the placeholder is filled and not offered again.
        for (CComponentBase *&entry : m_placeholders)
            if (entry == placeholder)
                entry = nullptr;
    }
}

bool CWordDocImporter::FitWithoutPlaceholder()
{
    const size_t index = size_t(m_currentEditor);
    if (m_currentEditor < 0 || index >= m_editors.size() || index >= m_placeholders.size() || !m_placeholders[index])
        return false;
    PlacePicture(dynamic_cast<CComponentImage *>(m_placeholders[index]), m_editors[index]->GetText(), true);
    if (m_documentPictureOnScreen)
        return !m_editors[index]->IsOverflowing();
    // No picture of the document belongs to this screen: the text takes the whole screen.
    if (m_currentScreen && m_placeholders[index])
        m_currentScreen->RemoveComponent(m_placeholders[index], 0);
    m_placeholders[index] = nullptr;
    if (index < m_editorComponents.size() && m_editorComponents[index]) {
        m_editorComponents[index]->SetBounds(kFullScreenTextBox, true);
        m_editors[index]->SetLayoutSize(kFullScreenTextBox.Width(), kFullScreenTextBox.Height());
    }
    if (m_currentScreen)
        m_currentScreen->SetModified(0);
    return !m_editors[index]->IsOverflowing();
}

void CWordDocImporter::PlaceScreenPictures()
{
    if (!m_placeholders.empty() && !m_editors.empty())
        PlacePicture(dynamic_cast<CComponentImage *>(m_placeholders[0]), m_editors[0]->GetText());
    if (m_placeholders.size() > 1 && m_editors.size() > 1)
        PlacePicture(dynamic_cast<CComponentImage *>(m_placeholders[1]), m_editors[1]->GetText().trimmed());
}

void CWordDocImporter::CountPictureForKenBurns(CComponentImage *image)
{
    if (!image || !m_kenBurnsOn)
        return;
    if (++m_kenBurnsCount >= std::max(1, m_kenBurnsRate)) {
        CImageEffectFlags allowed;
        allowed.zoomIn = m_doc.Settings().KenBurnsZoomIn;
        allowed.zoomOut = m_doc.Settings().KenBurnsZoomOut;
        allowed.pan = m_doc.Settings().KenBurnsPan;
        allowed.fadeIn = m_doc.Settings().KenBurnsFadeIn;
        image->ChooseRandomEffect(m_doc.GetContext().Random(), allowed);
        m_kenBurnsCount = 0;
    }
}

// ---- Objectives ----

CCorvPage *CWordDocImporter::MakeObjectivesScreen(const CTopic &topic)
{
    CContentScreenFactory screens(m_doc);
    CCorvPage *screen = screens.AddContentScreenTemplate(3, QStringLiteral("Objectives"), m_contentLabel, nullptr, 1, 0);
    if (!screen)
        return nullptr;
    const auto &components = screen->GetComponentList();
    if (!components.empty() && components[0]->GetType() == ct_textbox) {
        CRichText &text = *components[0]->GetEditorText();
        text.AppendHeading(topic.GetName() + QStringLiteral(" - Objectives\n"), BodyFace(), BodyPoints() + 2);
        text.AppendText(QStringLiteral("By the end of this topic you will be able to:\n\n"), 1);
        for (int i = 0; i < 4; ++i)
            text.AppendBulletedLine();
    }
    if (components.size() > 1 && components[1]->GetType() == ct_textbox)
        components[1]->GetEditorText()->AppendText(QString(12, u'\n'), 0);
    AdvanceLabel(m_contentLabel);
    m_host.AddPageAndSelect(screen);
    m_host.RepaintCanvas();
    return screen;
}

void CWordDocImporter::CompleteObjectivesScreen(CCorvPage *objectives, int words)
{
    const auto &components = objectives->GetComponentList();
    if (components.size() > 1 && components[1]->GetType() == ct_textbox) {
        const long minutes = long(std::ceil(words / 105.0));
        components[1]->GetEditorText()->AppendText(
            QStringLiteral("This topic will take approximately %1 minutes to complete").arg(minutes), 0);
    }
    if (components.size() > 2 && components[2]->GetType() == ct_image && m_doc.Settings().AutoGenerateGraphics
        && !components.empty() && components[0]->GetEditorText())
        // The Objectives screen shows a library picture only: the document's own pictures belong to the screens
        // of the text they stand in.
        PlacePicture(dynamic_cast<CComponentImage *>(components[2].get()), components[0]->GetEditorText()->GetText(),
                     false, true);
    m_host.RefreshPageThumbnail();
}
