#include "editor/ComponentCommands.h"

#include "document/CorvessaDoc.h"
#include "editor/CanvasEdits.h"
#include "editor/CanvasModel.h"
#include "model/ComponentAudio.h"
#include "model/ComponentFilledShape.h"
#include "model/ComponentImage.h"
#include "model/ComponentLine.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentVideo.h"
#include "model/ComponentYouTube.h"
#include "model/CorvPage.h"
#include "model/EditCanvas.h"
#include "model/GlobalHelpers.h"
#include "model/RichTextLinks.h"
#include "platform/Prompt.h"
#include "platform/richtext/RichText.h"

void CHeldComponentClipboard::CopyComponent(const CComponentBase &component)
{
    m_held = component.Clone(false);
    m_held->Hide();
}

namespace ComponentCommands {

namespace {

constexpr int kAudioPairGap = 80;

CRichText *SelectedText(CComponentBase *component)
{
    if (!component)
        return nullptr;
    if (auto *textbox = dynamic_cast<CComponentTextbox *>(component))
        return &textbox->GetRichText();
    if (auto *table = dynamic_cast<CComponentTable *>(component))
        if (CRichTextLinks *cell = table->GetActiveCellContent())
            return &cell->GetRichText();
    return nullptr;
}

void SetSelectionColour(CRichText &text, uint32_t colour)
{
    CCharFormat change;
    change.mask = CFM_COLOR;
    change.colour = colour;
    text.SetSelectionCharFormat(change);
}

} // namespace

void Copy(CComponentClipboard &clipboard, CComponentBase &component)
{
    component.ExchangeData(true);
    clipboard.CopyComponent(component);
}

bool Cut(CComponentClipboard &clipboard, CCorvPage &screen, CCanvasModel &canvas, CComponentBase *component,
         const CScreenLookup &screens)
{
    if (!component || !screen.Contains(component))
        return false;
    Copy(clipboard, *component);
    return CanvasEdits::Delete(screen, canvas, component, screens);
}

bool BringToTop(CCorvPage &screen, CComponentBase *component)
{
    if (!component || !screen.Contains(component))
        return false;
    screen.BringToTop(component);
    screen.SetModified(1);
    return true;
}

bool SendToBack(CCorvPage &screen, CComponentBase *component)
{
    if (!component || !screen.Contains(component))
        return false;
    screen.SendToBack(component);
    screen.SetModified(1);
    return true;
}

bool KeepsSizeOnProperties(int type) { return type == ct_audio || type == ct_youtube; }

CRect PlacedBounds(const CComponentBase &component, int x, int y, int cx, int cy)
{
    const CRect &old = component.GetBounds();
    if (KeepsSizeOnProperties(component.GetType()))
        return CRect(x, y, x + old.Width(), y + old.Height());
    return CRect(x, y, x + cx, y + cy);
}

std::vector<std::unique_ptr<CComponentBase>> BuildMedia(const SMediaChoice &choice, CEditCanvas *canvas)
{
    std::vector<std::unique_ptr<CComponentBase>> made;
    switch (choice.kind) {
    case MediaAudio:
    case MediaNarration: {
        auto play = std::make_unique<CComponentAudio>(canvas);
        SAudioValues values = play->GetValues();
        values.m_filePath = choice.filePath;
        values.m_loop = choice.loop;
        values.m_playButton = 1;
        if (choice.displayController) {
            values.m_autoStart = choice.autoStart;
            values.m_buttonControls = 1;
            play->SetValues(values);
            auto stop = std::make_unique<CComponentAudio>(canvas);
            SAudioValues stopValues = values;
            stopValues.m_playButton = stop->GetValues().m_playButton;
            stop->SetValues(stopValues);
            CRect bounds = play->GetBounds();
            bounds.OffsetRect(kAudioPairGap, 0);
            stop->SetBounds(bounds, true);
            made.push_back(std::move(play));
            made.push_back(std::move(stop));
        } else {
            // Without buttons nothing could start it: it starts by itself.
            values.m_autoStart = 1;
            values.m_buttonControls = 0;
            play->SetValues(values);
            made.push_back(std::move(play));
        }
        break;
    }
    case MediaVideo:
    case MediaAnimatedGif:
    case MediaFlash:
    case MediaAcrobat: {
        auto video = std::make_unique<CComponentVideo>(canvas);
        SVideoValues values = video->GetValues();
        values.m_filePath = choice.filePath;
        if (choice.kind == MediaAcrobat) {
            values.m_toolbar = choice.showToolbar;
            values.m_scrollBar = choice.showScrollbar;
            values.m_navPanes = choice.showNavPanes;
        } else {
            QString extension;
            GetFileExtension(choice.filePath, extension);
            const bool forcedStart = choice.kind != MediaFlash && !choice.displayController &&
                                     extension.compare(QStringLiteral("swf"), Qt::CaseInsensitive) != 0;
            values.m_autoStart = forcedStart ? 1 : choice.autoStart;
            values.m_loop = choice.loop;
            values.m_controller = choice.kind == MediaFlash ? values.m_controller : choice.displayController;
            values.m_windowMode = choice.windowMode;
            if (choice.kind == MediaFlash) {
                values.m_flashVars = choice.flashVars;
                values.m_backgroundColor = choice.backgroundColour;
                values.m_flashVersion = choice.flashVersion;
            }
        }
        video->SetValues(values);
        made.push_back(std::move(video));
        break;
    }
    case MediaYouTube:
    case MediaYouTubeMenu: {
        auto youtube = std::make_unique<CComponentYouTube>(canvas);
        SYouTubeValues values = youtube->GetValues();
        values.m_embedCode = choice.embedCode;
        youtube->SetValues(values);
        made.push_back(std::move(youtube));
        break;
    }
    case MediaFlashVideo: {
        auto player = std::make_unique<CComponentFlashVideo>(canvas);
        SVideoValues values = player->GetValues();
        values.m_filePath = choice.filePath;
        values.m_autoStart = choice.autoStart;
        values.m_backgroundColor = choice.backgroundColour;
        player->SetValues(values);
        if (choice.flashVideoPlayer)
            player->SetPlayerValues(*choice.flashVideoPlayer);
        made.push_back(std::move(player));
        break;
    }
    default:
        break;
    }
    return made;
}

int AddMedia(CCorvessaDoc &doc, CCorvPage *screen, const SMediaChoice &choice, CPrompt &prompt)
{
    if (!screen)
        return 0;
    int added = 0;
    for (auto &component : BuildMedia(choice, screen->GetCanvas() ? screen->GetCanvas() : doc.GetEditCanvas())) {
        // A refused component stays here and is deleted; the author is told why.
        if (const CStatus status = screen->AddComponent(std::move(component)); status)
            ++added;
        else
            prompt.Information(status.Error());
        if (CEditCanvas *canvas = screen->GetCanvas())
            screen->ShowOnCanvas(*canvas);
    }
    if (added > 0) {
        screen->SetModified(1);
        doc.SetModifiedFlag(true);
    }
    return added;
}

CRect ReplacedPictureBounds(const CRect &old, int sizeClass, int naturalWidth, int naturalHeight)
{
    const int w = GetPictureWidthForSize(sizeClass);
    const int h = GetPictureHeightForSize(sizeClass);
    const int boxLeft = (old.left + old.right) / 2 - w / 2;
    const int boxTop = (old.top + old.bottom) / 2 - h / 2;
    int fw = naturalWidth, fh = naturalHeight;
    double scale = 1.0;
    if (!FitSizeInBox(w, h, naturalWidth, naturalHeight, fw, fh, scale)) {
        fw = naturalWidth;
        fh = naturalHeight;
    }
    const int cx = boxLeft + w / 2;
    const int cy = boxTop + h / 2;
    CRect r(cx - fw / 2, cy - fh / 2, cx + fw / 2, cy + fh / 2);
    if (r.left < 0)
        r.OffsetRect(5 - r.left, 0);
    if (r.top < 0)
        r.OffsetRect(0, 5 - r.top);
    if (r.right > CCanvasModel::kWidth)
        r.OffsetRect(CCanvasModel::kWidth - 5 - r.right, 0);
    if (r.bottom > CCanvasModel::kHeight)
        r.OffsetRect(0, CCanvasModel::kHeight - 5 - r.bottom);
    return r;
}

float DisplayScale(int canvasWidth, int shownPictureWidth, float previous)
{
    return shownPictureWidth != 0 ? float(canvasWidth) / float(shownPictureWidth) : previous;
}

QString EscapeLinkScript(const QString &script)
{
    QString escaped = script;
    escaped.replace(u'\\', QStringLiteral("\\\\"));
    escaped.replace(u'"', QStringLiteral("\\\""));
    return escaped;
}

bool GetLinkSelection(CComponentBase &component, int &start, QString &text)
{
    CRichText *rich = SelectedText(&component);
    if (!rich)
        return false;
    int end = 0;
    rich->GetSel(start, end);
    if (end - start <= 0)
        return false;
    text = rich->GetSelText();
    return true;
}

bool AddLink(CComponentBase &component, const SLinkChoice &choice, CPrompt &prompt)
{
    if (auto *image = dynamic_cast<CComponentImage *>(&component)) {
        image->SetLink(choice.screenLink, choice.targetScreen, choice.scriptFlag ? choice.script : choice.address,
                       choice.popup, choice.scriptFlag, choice.fullSize, choice.popupHeight, choice.popupWidth);
        return true;
    }
    int start = 0;
    QString text;
    if (!GetLinkSelection(component, start, text))
        return false;
    const QString target = choice.scriptFlag ? EscapeLinkScript(choice.script) : choice.address;
    if (choice.targetScreen == -1 && target.isEmpty())
        return false;
    auto *textbox = dynamic_cast<CComponentTextbox *>(&component);
    auto *table = dynamic_cast<CComponentTable *>(&component);
    if (!textbox && !table)
        return false;
    const CStatus status = textbox ? textbox->AddLink(text, start, choice.screenLink, choice.targetScreen, target,
                                                      choice.popup, choice.scriptFlag, choice.fullSize,
                                                      choice.popupHeight, choice.popupWidth)
                                   : table->AddLink(text, start, choice.screenLink, choice.targetScreen, target,
                                                    choice.popup, choice.scriptFlag, choice.fullSize,
                                                    choice.popupHeight, choice.popupWidth);
    if (!status) {
        prompt.Information(status.Error());
        return false;
    }
    if (textbox)
        return true;
    if (CRichTextLinks *cell = table->GetActiveCellContent())
        cell->GetRichText().ToggleLinkEffect();
    return true;
}

bool ApplyColour(CComponentBase *component, int colourMode, uint32_t colour, bool defaultChosen)
{
    if (!component)
        return false;
    if (auto *line = dynamic_cast<CComponentLine *>(component)) {
        line->SetColor(colour);
        return true;
    }
    if (auto *shape = dynamic_cast<CComponentFilledShape *>(component)) {
        if (colourMode == ColourFill) {
            shape->SetFilled(defaultChosen ? 0 : 1);
            shape->SetFillColor(colour);
        } else {
            shape->SetOutlined(defaultChosen ? 0 : 1);
            shape->SetOutlineColor(colour);
        }
        return true;
    }
    if (CRichText *text = SelectedText(component)) {
        SetSelectionColour(*text, defaultChosen ? 0u : colour);
        return true;
    }
    return false;
}

bool ApplyLineWidth(CComponentBase *component, int width)
{
    if (auto *line = dynamic_cast<CComponentLine *>(component)) {
        line->SetWidth(width);
        return true;
    }
    if (auto *shape = dynamic_cast<CComponentFilledShape *>(component)) {
        shape->SetLineWidth(width);
        return true;
    }
    return false;
}

bool ApplyFormatting(CComponentBase *component, int command)
{
    auto *textbox = dynamic_cast<CComponentTextbox *>(component);
    auto *table = dynamic_cast<CComponentTable *>(component);
    if (!textbox && !table)
        return false;
    switch (command) {
    case AlignLeft: textbox ? textbox->AlignLeft() : table->AlignLeft(); return true;
    case AlignCentre: textbox ? textbox->Centre() : table->Centre(); return true;
    case AlignRight: textbox ? textbox->AlignRight() : table->AlignRight(); return true;
    case Justify: textbox ? textbox->Justify() : table->Justify(); return true;
    case IncreaseIndent: textbox ? textbox->IncreaseIndent() : table->IncreaseIndent(); return true;
    case DecreaseIndent: textbox ? textbox->DecreaseIndent() : table->DecreaseIndent(); return true;
    default: break;
    }
    CRichText *text = SelectedText(component);
    if (!text)
        return false;
    switch (command) {
    case Bold: text->ToggleBold(); return true;
    case Italic: text->ToggleItalic(); return true;
    case Underline: text->ToggleUnderline(); return true;
    case Strikeout: text->ToggleStrikeout(); return true;
    case Bulleting: text->ToggleBullet(); return true;
    case Numbering: text->ToggleNumbering(); return true;
    default: return false;
    }
}

} // namespace ComponentCommands
