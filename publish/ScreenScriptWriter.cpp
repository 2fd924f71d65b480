#include "publish/ScreenScriptWriter.h"

#include "document/CorvessaDoc.h"
#include "model/ComponentAudio.h"
#include "model/ComponentFilledShape.h"
#include "model/ComponentFreeFormText.h"
#include "model/ComponentLikert.h"
#include "model/ComponentLine.h"
#include "model/ComponentLink.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentPartIdentification.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentVideo.h"
#include "model/ComponentYouTube.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/Escape.h"
#include "publish/PublishContext.h"
#include "publish/PublishFile.h"
#include "publish/PublishText.h"
#include "publish/ScreenPanels.h"
#include "publish/ScreenScriptEntries.h"

#include <vector>

namespace E = CorvScreenEntries;

namespace {

const QString kPieceJoint = QStringLiteral(" + \n");

// Markup filled from a component's template, without the line end that closes the template file, so that
// the next piece joins it as any other.
QString TemplatePiece(QString markup)
{
    while (markup.endsWith(u'\n') || markup.endsWith(u'\r'))
        markup.chop(1);
    return markup;
}

// The title as the header carries it: one line, substituted, as a script string.
QString HeaderTitle(const CPublishContext &context, const CCorvPage &screen)
{
    QString title = screen.GetTitle();
    title.remove(u'\r');
    title.remove(u'\n');
    context.ApplyTextSubstitutions(title);
    return CorvEscape::ScriptLiteral(title);
}

} // namespace

CScreenScriptWriter::CScreenScriptWriter(const CPublishContext &context)
    : m_context(context), m_richText(context)
{
}

bool CScreenScriptWriter::HasScreenFile(int pageType)
{
    return pageType == pt_folder || pageType == pt_document || pageType == pt_question ||
           pageType == pt_asmt_document;
}

std::vector<CCorvPage *> CScreenScriptWriter::ScreensWithFiles(const COutlineTree *tree, const COutlineTree::Item *item)
{
    std::vector<CCorvPage *> screens;
    if (!tree)
        return screens;
    // Pre-order without recursion, so that no outline is too deep to walk: the siblings still to visit wait
    // on a stack while the walk goes down.
    std::vector<const COutlineTree::Item *> later;
    const COutlineTree::Item *current = item ? item : tree->GetRootItem();
    while (current || !later.empty()) {
        if (!current) {
            current = later.back();
            later.pop_back();
        }
        CCorvPage *screen = tree->GetItemData(current);
        if (screen && HasScreenFile(screen->GetPageType()))
            screens.push_back(screen);
        const COutlineTree::Item *next = tree->GetNextSiblingItem(current);
        // Glossary entries reach the course through the glossary script, not through screen files.
        if (tree->ItemHasChildren(current) && !(screen && screen->GetPageType() == pt_glossary)) {
            if (next)
                later.push_back(next);
            next = tree->GetChildItem(current);
        }
        current = next;
    }
    return screens;
}

bool CScreenScriptWriter::StandsAlone(const CCorvPage &screen)
{
    for (const auto &component : screen.GetComponentList()) {
        switch (component->GetType()) {
        case ct_textbox:
        case ct_table:
        case ct_image:
        case ct_button:
        case ct_rectangle:
        case ct_line:
        case ct_ellipse:
        case ct_small_topic:
        case ct_large_topic:
        case ct_link:
        case ct_youtube:
            break;
        default:
            return false;
        }
    }
    return true;
}

bool CScreenScriptWriter::WriteScreenFiles(const COutlineTree::Item *item)
{
    bool written = true;
    for (CCorvPage *screen : ScreensWithFiles(m_context.GetCourseTree(), item))
        if (!WriteScreenFile(screen))
            written = false;
    return written && !m_missingPieces;
}

bool CScreenScriptWriter::WriteScreenFile(CCorvPage *screen)
{
    if (!screen)
        return true;
    const bool noMark = m_context.GetTarget() == PublishTargetWeb && m_context.Settings().UseASP == 0;
    const QString path = QStringLiteral("content/") + m_context.GetProjectPrefix() + u'_' + screen->GetPublishId() +
                         QStringLiteral(".js");
    CPublishFile file;
    if (file.Open(m_context.GetTargetFolder(), path,
                  noMark ? CPublishFile::NoByteOrderMark : CPublishFile::WithByteOrderMark) &&
        file.WriteString(ScreenFileText(*screen)) && file.Close())
        return true;
    file.Close();
    m_fileErrorText = file.GetErrorText();
    return false;
}

QString CScreenScriptWriter::ScreenFileText(CCorvPage &screen)
{
    m_audioNumber = 0;
    // One text grown in place: a screen's pieces are copied once, into it.
    QString text;
    text.reserve(16 * 1024);
    text += QLatin1String("kvx.updatePage({\n");
    text += ScreenHeader(screen);
    AppendContents(text, screen);
    text += QLatin1String("\n});\n");
    return text;
}

QString CScreenScriptWriter::ScreenHeader(CCorvPage &screen)
{
    const QString id = CorvEscape::ScriptLiteral(screen.GetPublishId());
    const QString title = HeaderTitle(m_context, screen);
    // The run-time builds a menu itself from the outline.
    if (screen.GetPageType() == pt_folder && COutlineTree::IsMenuPage(&screen))
        return QStringLiteral("\"nonordinary\": false,\n\"currentpage\": \"%1\",\n\"pagename\": \"%2\",\n"
                              "\"scriptstorun\": [\"kvx.createMenu()\"],\n")
            .arg(id, title);
    if (screen.GetPageType() == pt_asmt_document)
        return QStringLiteral("\"fps\": true,\n\"currentpage\": \"%1\",\n\"pagename\": \"%2\",\n\"scriptstorun\": [],\n")
            .arg(id, title);

    QString list;
    QString argues;
    int images = 0;
    int tables = 0;
    for (const auto &component : screen.GetComponentList())
        AddComponentScript(*component, list, argues, images, tables);
    QString shapes;
    bool shapeSeen = false;
    for (const auto &component : screen.GetComponentList())
        shapeSeen = AddShapeEntries(*component, shapes) || shapeSeen;
    if (shapeSeen)
        E::Append(list, QStringLiteral("\"kvx.drawShapes([") + shapes + QStringLiteral("])\""));
    return QStringLiteral("\"nonordinary\": false,\n\"currentpage\": \"%1\",\n\"pagename\": \"%2\",\n")
               .arg(id, title) +
           argues + QStringLiteral("\"scriptstorun\": [") + list + QStringLiteral("],\n");
}

void CScreenScriptWriter::AddComponentScript(CComponentBase &component, QString &list, QString &argues, int &images,
                                             int &tables)
{
    switch (component.GetType()) {
    case ct_complete_paragraph: E::AddCompleteParagraphScript(list); break;
    case ct_fill_blanks: E::AddFillBlanksScript(list); break;
    case ct_flash_question: E::AddFlashQuestionScript(list); break;
    case ct_match_pairs: E::AddMatchPairsScript(list); break;
    case ct_multiple_choice:
        if (auto *question = dynamic_cast<CComponentMultipleChoice *>(&component))
            E::AddMultipleChoiceScript(list, *question);
        break;
    case ct_likert:
        if (auto *slider = dynamic_cast<CComponentLikert *>(&component))
            E::AddSliderScript(list, argues, *slider);
        break;
    case ct_part_identification:
        if (auto *question = dynamic_cast<const CComponentPartIdentification *>(&component))
            E::AddPartIdentificationScript(list, question->m_targetsToMatch, uint32_t(question->m_highlightColor));
        break;
    case ct_table:
        if (auto *table = dynamic_cast<CComponentTable *>(&component))
            E::AddTableRules(list, *table, ++tables);
        break;
    case ct_free_form_text:
        if (auto *question = dynamic_cast<CComponentFreeFormText *>(&component))
            E::AddFreeFormTextScript(list, argues, *question);
        break;
    // Every picture counts, with or without an effect, so that the numbers match those of the contents.
    case ct_image: CorvScreenPanels::AddKenBurnsScript(list, component, ++images); break;
    default: break;
    }
}

bool CScreenScriptWriter::AddShapeEntries(const CComponentBase &component, QString &shapes)
{
    switch (component.GetType()) {
    case ct_ellipse:
        if (auto *ellipse = dynamic_cast<const CComponentFilledShape *>(&component))
            E::AddEllipseShape(shapes, *ellipse);
        return true;
    case ct_rectangle:
        if (auto *rectangle = dynamic_cast<const CComponentFilledShape *>(&component))
            E::AddRectangleShape(shapes, *rectangle);
        return true;
    case ct_line:
        if (auto *line = dynamic_cast<const CComponentLine *>(&component))
            E::AddLineShape(shapes, *line);
        return true;
    default: return false;
    }
}

QString CScreenScriptWriter::ScreenContents(CCorvPage &screen)
{
    QString text;
    AppendContents(text, screen);
    return text;
}

void CScreenScriptWriter::AppendContents(QString &text, CCorvPage &screen)
{
    m_audioNumber = 0;
    m_pairNumbers.clear();
    text += QLatin1String("\"contents\":\t");
    bool any = false;
    int images = 0;
    int tables = 0;
    for (const auto &component : screen.GetComponentList()) {
        const QString piece = ComponentPiece(*component, images, tables);
        // A piece that came out empty (a template that could not be read, say) is left out.
        if (piece.isEmpty())
            continue;
        if (any)
            text += kPieceJoint;
        text += piece;
        any = true;
    }
    if (!any)
        text += QLatin1String("\"\"");
    m_audioNumber = 0;
}

QString CScreenScriptWriter::Markup(const CResult<QString> &built) const
{
    if (built)
        return *built;
    m_context.AddError(built.Error());
    return QString();
}

QString CScreenScriptWriter::Noted(bool made, const QString &piece)
{
    if (!made)
        m_missingPieces = true;
    return piece;
}

QString CScreenScriptWriter::ComponentPiece(CComponentBase &component, int &images, int &tables)
{
    const CCorvContext &context = m_context.GetDocument().GetContext();
    QString piece;
    switch (component.GetType()) {
    case ct_textbox:
        if (auto *textbox = dynamic_cast<const CComponentTextbox *>(&component))
            return m_richText.TextboxToHtml(*textbox);
        return QString();
    case ct_image: {
        const bool made = CorvScreenPanels::ImageToHtml(m_context, component, ++images, piece);
        return Noted(made, piece);
    }
    case ct_complete_paragraph:
    case ct_fill_blanks:
    case ct_match_pairs:
    case ct_multiple_choice:
    case ct_likert:
    case ct_part_identification: {
        const bool made = CorvScreenPanels::QuestionPanelToHtml(m_context, component, piece);
        return Noted(made, piece);
    }
    case ct_link:
        if (auto *link = dynamic_cast<const CComponentLink *>(&component))
            return LinkToHtml(*link);
        return QString();
    case ct_audio:
        if (auto *audio = dynamic_cast<CComponentAudio *>(&component))
            return AudioToHtml(*audio);
        return QString();
    case ct_flash_video: {
        const bool made = CorvScreenPanels::MediaToHtml(m_context, component, piece);
        return Noted(made, TemplatePiece(piece));
    }
    // Videos and Flash questions fill their own templates.
    case ct_video:
    case ct_flash_question:
        if (auto *video = dynamic_cast<const CComponentVideo *>(&component))
            piece = Markup(video->BuildPublishHtml(context));
        return TemplatePiece(piece);
    case ct_youtube:
        if (auto *video = dynamic_cast<const CComponentYouTube *>(&component))
            return YouTubeToHtml(*video);
        return QString();
    case ct_table:
        if (auto *table = dynamic_cast<const CComponentTable *>(&component))
            return m_richText.TableToHtml(*table, ++tables);
        return QString();
    // Whatever its caption, a button on a screen prints it.
    case ct_button: return PrintButtonHtml();
    case ct_free_form_text:
        if (auto *question = dynamic_cast<const CComponentFreeFormText *>(&component))
            piece = Markup(question->BuildPublishHtml(context, m_context.GetProjectPrefix()));
        return TemplatePiece(piece);
    // Topic buttons (the run-time builds menus), shapes (drawn by a start-up entry), HTML text, remediation
    // settings and the unused media kind have no markup.
    default: return QString();
    }
}

QString CScreenScriptWriter::LinkToHtml(const CComponentLink &link) const
{
    QString target;
    if (!link.GetTargetLabel().isEmpty()) {
        // A link whose screen is gone leads nowhere rather than to a stale page.
        if (const CCorvPage *screen = link.GetTargetPage(m_context.GetDocument()))
            target = screen->GetPublishId();
    } else {
        target = link.GetFixedTargetId();
    }
    const CRect &b = link.GetBounds();
    return QStringLiteral("\"<div style='position:absolute; left:%1px; top:%2px; width:%3px; height:%4px;'>")
               .arg(b.left)
               .arg(b.top)
               .arg(b.Width())
               .arg(b.Height()) +
           QStringLiteral("<a href='#' data-kvx-click='kvx.gotoNewPage(\\\"") + ContentsHandlerArgument(target) +
           QStringLiteral("\\\")'>") + CorvEscape::ScriptLiteral(CorvEscape::HtmlText(link.GetText())) +
           QStringLiteral("</a></div>\"");
}

QString CScreenScriptWriter::AudioToHtml(CComponentAudio &audio)
{
    const CCorvContext &context = m_context.GetDocument().GetContext();
    if (audio.m_buttonControls == 0)
        return TemplatePiece(Markup(audio.BuildPublishHtml(context, m_audioNumber++)));
    // Both buttons of a pair carry the number of their clip, whichever of them comes first on the screen; a
    // button without its partner has a clip number of its own.
    int number = 0;
    const CComponentAudio *partner = audio.FindPartnerButton();
    const auto paired = partner ? m_pairNumbers.find(partner) : m_pairNumbers.end();
    if (paired != m_pairNumbers.end()) {
        number = paired->second;
    } else {
        number = m_audioNumber++;
        m_pairNumbers[&audio] = number;
    }
    const CRect &b = audio.GetBounds();
    if (audio.GetPlayButton() != 1)
        return QStringLiteral("\"<a id='stop%1' class='stop' style='left:%2px; top:%3px;' title='stop audio'></a>\"")
            .arg(number)
            .arg(b.left)
            .arg(b.top);
    QString piece = QStringLiteral("\"<a id='play%1' class='play' style='left:%2px; top:%3px;' title='play audio'></a>\"")
                        .arg(number)
                        .arg(b.left)
                        .arg(b.top);
    // The Play button owns the clip's player; without a template the button stands alone.
    if (const QString markup = TemplatePiece(Markup(audio.BuildPublishHtml(context, number))); !markup.isEmpty())
        piece += kPieceJoint + markup;
    return piece;
}

QString CScreenScriptWriter::PrintButtonHtml()
{
    // "{print}" is the run-time's to fill with the course's word for it.
    return QStringLiteral("\"<div id='print' style='position:absolute; right:24px; bottom:24px; overflow: visible; "
                          "cursor:pointer;'>\" + \n"
                          "\"<input class='print' style='cursor:pointer;' type='submit' value='{print}' "
                          "data-kvx-click='window.print()'>\" + \n"
                          "\"</div>\"");
}

QString CScreenScriptWriter::YouTubeToHtml(const CComponentYouTube &video)
{
    // The embed code is the site's markup and goes in as markup: its attribute quotes become apostrophes and
    // its line breaks go, so that it fits one script string.
    QString code = video.m_embedCode;
    code.replace(u'"', u'\'');
    code.remove(u'\n');
    code.remove(u'\r');
    const CRect &b = video.GetBounds();
    return QStringLiteral("\"<div style='position:absolute; left:%1px; top:%2px;'>").arg(b.left).arg(b.top) +
           CorvEscape::ScriptLiteral(code) + QStringLiteral("</div>\"");
}
