#include "editor/ui/MediaCommandsUi.h"

#include "editor/CanvasComponentPainter.h"

#include "dialogs/ui/DlgAddFlashQuestion.h"
#include "dialogs/ui/DlgAddLink.h"
#include "dialogs/ui/MediaDialogs.h"
#include "document/CorvessaDoc.h"
#include "editor/CanvasModel.h"
#include "editor/ComponentPainter.h"
#include "editor/MediaEditCommands.h"
#include "editor/ui/ScrollViewEx.h"
#include "model/ComponentAudio.h"
#include "model/ComponentButton.h"
#include "model/ComponentLink.h"
#include "model/ComponentTopicButton.h"
#include "model/ComponentVideo.h"
#include "model/ComponentYouTube.h"
#include "model/CorvPage.h"

#include <QFileDialog>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>

namespace {

std::function<QImage(int)> &ListSource()
{
    static std::function<QImage(int)> source;
    return source;
}

template <class Kind>
Kind *Selected(const CScrollViewEx &canvas)
{
    return dynamic_cast<Kind *>(canvas.GetSelectedComponent());
}

// The dialog's values on OK; none when the author cancelled.
template <class Dialog, class Values>
std::optional<decltype(Dialog::values)> RunDialog(Dialog &dialog, const Values &preset)
{
    dialog.values = preset;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.values;
}

void Changed(CScrollViewEx &canvas, CCorvessaDoc &doc)
{
    doc.SetModifiedFlag(true);
    canvas.Invalidate();
}

bool EditAudio(CComponentAudio &audio, CScrollViewEx &canvas, CCorvessaDoc &doc, QWidget *parent)
{
    CDlgUpdateAudio dialog(parent);
    dialog.prompt = &doc.Prompt();
    const auto values = RunDialog(dialog, MediaEditCommands::AudioPreset(audio));
    if (!values)
        return true;
    MediaEditCommands::ApplyAudio(audio, *values, doc.Prompt());
    Changed(canvas, doc);
    return true;
}

bool EditVideo(CComponentVideo &video, CScrollViewEx &canvas, CCorvessaDoc &doc, QWidget *parent)
{
    using namespace MediaEditCommands;
    const SVideoDialogChoice choice = ChooseVideoDialog(video.GetFilePath(), video.GetType());
    bool accepted = false;
    switch (choice.dialog) {
    case VideoDialog::ImportMedia: {
        CDlgImportMedia dialog(choice.mediaKind, parent, &doc.Prompt());
        if (const auto values = RunDialog(dialog, ImportMediaPreset(video, dialog.values))) {
            ApplyImportMedia(video, *values);
            accepted = true;
        }
        break;
    }
    case VideoDialog::FlashVideo: {
        CDlgFlashVideo dialog(parent);
        dialog.prompt = &doc.Prompt();
        if (const auto values = RunDialog(dialog, FlashVideoPreset(video))) {
            ApplyFlashVideo(video, *values);
            accepted = true;
        }
        break;
    }
    case VideoDialog::Pdf: {
        DlgAddPDF dialog(parent);
        dialog.prompt = &doc.Prompt();
        if (const auto values = RunDialog(dialog, PdfPreset(video))) {
            ApplyPdf(video, *values);
            accepted = true;
        }
        break;
    }
    case VideoDialog::FlashQuestion: {
        // The question's dialog stands on its own, without a parent window.
        DlgAddFlashQuestion dialog;
        dialog.prompt = &doc.Prompt();
        if (const auto values = RunDialog(dialog, FlashQuestionPreset(video))) {
            ApplyFlashQuestion(video, *values);
            accepted = true;
        }
        break;
    }
    case VideoDialog::Flash: {
        DlgAddFlash dialog(parent);
        dialog.prompt = &doc.Prompt();
        if (const auto values = RunDialog(dialog, FlashPreset(video))) {
            ApplyFlash(video, *values);
            accepted = true;
        }
        break;
    }
    }
    if (accepted)
        Changed(canvas, doc);
    return true;
}

bool EditYouTube(CComponentYouTube &youtube, CScrollViewEx &canvas, CCorvessaDoc &doc, QWidget *parent)
{
    DlgAddYouTube dialog(parent);
    dialog.prompt = &doc.Prompt();
    if (const auto values = RunDialog(dialog, MediaEditCommands::YouTubePreset(youtube))) {
        MediaEditCommands::ApplyYouTube(youtube, *values);
        Changed(canvas, doc);
    }
    return true;
}

bool ReplaceLink(CComponentLink &link, CScrollViewEx &canvas, CCorvessaDoc &doc, QWidget *parent)
{
    CDlgUpdateLinkText dialog(parent);
    dialog.text = link.GetText();
    if (dialog.exec() != QDialog::Accepted)
        return true;
    // The trackers go: the link changes its size under them.
    canvas.DeleteTrackers();
    if (MediaEditCommands::ReplaceLinkText(link, dialog.text))
        Changed(canvas, doc);
    return true;
}

bool ReplaceTopic(int command, CComponentTopicButton &button, CScrollViewEx &canvas, CCorvessaDoc &doc,
                  QWidget *parent)
{
    using namespace MediaCommandsUi;
    if (!MediaEditCommands::CanReplaceTopicPicture(button))
        return true;
    const Pickers &pickers = GetPickers();
    bool replaced = false;
    if (command == ReplaceTopicFromFile) {
        const QString path = pickers.pictureFile
                                 ? pickers.pictureFile(parent)
                                 : QFileDialog::getOpenFileName(parent, QStringLiteral("Replace graphic from file"), {},
                                                                QStringLiteral("Pictures (*.bmp *.gif *.jpg *.jpeg *.png *.wmf *.emf);;All files (*)"));
        replaced = MediaEditCommands::ReplaceTopicPicture(button, path, doc.GetContext(), doc.Prompt());
    } else if (pickers.libraryPicture) {
        if (const auto name = pickers.libraryPicture(parent))
            replaced = MediaEditCommands::ReplaceTopicPictureFromLibrary(button, *name, doc.GetContext(), doc.Prompt());
    }
    if (replaced)
        Changed(canvas, doc);
    return true;
}

bool IsTopic(const CComponentBase *component)
{
    return component && CCanvasModel::IsTopicButton(component->GetType());
}

} // namespace

// ---- The window ----

CMediaComponentWindow::CMediaComponentWindow(CComponentBase &component, CScrollViewEx &canvas)
    : CCanvasComponentWindow(component, canvas)
{
}

QSize CMediaComponentWindow::GetTextExtent(const QString &text) const
{
    if (const auto *link = dynamic_cast<const CComponentLink *>(&Component()))
        return QFontMetrics(ComponentPainter::LinkFont(*link, font())).size(Qt::TextSingleLine, text);
    return CCanvasComponentWindow::GetTextExtent(text);
}

void CMediaComponentWindow::paintEvent(QPaintEvent *event)
{
    using namespace ComponentPainter;
    if (!IsLive() && CanvasComponentPainter::IsDrawnKind(Component().GetType())) {
        CCanvasComponentWindow::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QRect client = rect();
    CComponentBase &component = Component();
    const int type = component.GetType();
    if (type == ct_audio)
        PaintAudio(painter, static_cast<CComponentAudio &>(component), client, Look::Window);
    else if (IsVideoFamily(type))
        PaintVideo(painter, static_cast<CComponentVideo &>(component), client, Look::Window);
    else if (type == ct_youtube)
        PaintYouTube(painter, client);
    else if (type == ct_button)
        PaintButton(painter, static_cast<CComponentButton &>(component), client);
    else if (type == ct_link)
        PaintLink(painter, static_cast<CComponentLink &>(component), client);
    else if (CCanvasModel::IsTopicButton(type))
        PaintTopicWindow(painter, static_cast<CComponentTopicButton &>(component), client, ListSource());
    else {
        // Shapes draw themselves, at their bounds.
        painter.translate(-component.GetBounds().left, -component.GetBounds().top);
        component.Draw(painter);
    }
}

void CMediaComponentWindow::AddKindEntries(QMenu &menu)
{
    CCanvasComponentWindow::AddKindEntries(menu);
    if (MediaCommandsUi::GetPickers().libraryPicture)
        return;
    for (QAction *action : menu.actions())
        if (action->data().toInt() == MediaCommandsUi::ReplaceTopicFromLibrary)
            action->setEnabled(false);
}

namespace MediaCommandsUi {

void SetListPictureSource(std::function<QImage(int)> source) { ListSource() = std::move(source); }

Pickers &GetPickers()
{
    static Pickers pickers;
    return pickers;
}

bool Handles(int command)
{
    switch (command) {
    case EditAudio:
    case EditVideo:
    case ReplaceTopicFromFile:
    case ReplaceTopicFromLibrary:
    case ReplaceLinkText: return true;
    default: return false;
    }
}

bool IsEnabled(int command, const CScrollViewEx &canvas)
{
    const CComponentBase *selected = canvas.GetSelectedComponent();
    if (!selected)
        return false;
    const int type = selected->GetType();
    switch (command) {
    case EditAudio: return type == ct_audio;
    case EditVideo: return IsVideoFamily(type) || type == ct_youtube;
    case ReplaceLinkText: return type == ct_link;
    case ReplaceTopicFromFile:
    case ReplaceTopicFromLibrary:
        if (!IsTopic(selected))
            return false;
        if (command == ReplaceTopicFromLibrary && !GetPickers().libraryPicture)
            return false;
        return MediaEditCommands::CanReplaceTopicPicture(*static_cast<const CComponentTopicButton *>(selected));
    default: return false;
    }
}

bool Run(int command, CScrollViewEx &canvas, CCorvessaDoc &doc, QWidget *parent)
{
    if (!IsEnabled(command, canvas))
        return false;
    switch (command) {
    case EditAudio: return ::EditAudio(*Selected<CComponentAudio>(canvas), canvas, doc, parent);
    case EditVideo:
        if (auto *youtube = Selected<CComponentYouTube>(canvas))
            return EditYouTube(*youtube, canvas, doc, parent);
        return ::EditVideo(*Selected<CComponentVideo>(canvas), canvas, doc, parent);
    case ReplaceLinkText: return ReplaceLink(*Selected<CComponentLink>(canvas), canvas, doc, parent);
    default: return ReplaceTopic(command, *Selected<CComponentTopicButton>(canvas), canvas, doc, parent);
    }
}

} // namespace MediaCommandsUi
