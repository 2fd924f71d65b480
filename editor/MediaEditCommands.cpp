#include "editor/MediaEditCommands.h"

#include "dialogs/ComponentBindings.h"
#include "editor/CanvasModel.h"
#include "model/ComponentAudio.h"
#include "model/ComponentFlashVideo.h"
#include "model/ComponentLink.h"
#include "model/ComponentTopicButton.h"
#include "model/ComponentVideo.h"
#include "model/ComponentWindow.h"
#include "model/ComponentYouTube.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/PictureFiles.h"
#include "platform/Prompt.h"

namespace MediaEditCommands {

namespace {

using namespace ComponentCommands;

// The screen changed: marked, and shown again on the canvas it is on.
void Refresh(CCorvPage *screen)
{
    if (!screen)
        return;
    screen->SetModified(1);
    if (CEditCanvas *canvas = screen->GetCanvas())
        screen->ShowOnCanvas(*canvas);
}

void Touch(CComponentBase &component)
{
    if (CComponentWindow *window = component.GetComponentWindow())
        window->Invalidate();
    Refresh(component.GetOwnerPage());
}

// The dialog's values read from the component's, over what the caller preset.
template <class Dialog, class Model, class Component>
Dialog Loaded(const Component &component, const CValueBindings<Dialog, Model> &bindings, Dialog values)
{
    bindings.Load(component.GetValues(), values);
    return values;
}

// The dialog's values written into the component's.
template <class Dialog, class Model, class Component>
void Stored(Component &component, const CValueBindings<Dialog, Model> &bindings, const Dialog &values)
{
    Model v = component.GetValues();
    bindings.Store(values, v);
    component.SetValues(v);
}

// A dialog's values with its caption set.
template <class Dialog>
Dialog Captioned(const QString &caption)
{
    Dialog values;
    values.caption = caption;
    return values;
}

void SetClip(CComponentAudio &audio, const SUpdateAudioValues &values)
{
    Stored(audio, ComponentBindings::AudioClip(), values);
}

bool Is(const QString &extension, const char *name)
{
    return extension.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

QString ExtensionOf(const QString &path)
{
    QString extension;
    GetFileExtension(path, extension);
    return extension;
}

} // namespace

// ---- Sound ----

SUpdateAudioValues AudioPreset(const CComponentAudio &audio)
{
    SUpdateAudioValues values = Loaded(audio, ComponentBindings::AudioClip(), {});
    values.buttonControls = audio.m_buttonControls;
    return values;
}

void ApplyAudio(CComponentAudio &audio, const SUpdateAudioValues &values, CPrompt &prompt)
{
    CCorvPage *screen = audio.GetOwnerPage();
    const bool wasOn = audio.m_buttonControls == 1;
    const bool on = values.buttonControls == 1;
    if (wasOn && !on) {
        // The partner's destructor takes it off the canvas's selection and trackers.
        if (CComponentAudio *partner = audio.FindPartnerButton(); partner && screen)
            screen->RemoveComponent(partner, 0);
        SAudioValues v = audio.GetValues();
        v.m_buttonControls = 0;
        v.m_playButton = 0;
        audio.SetValues(v);
        SetClip(audio, values);
    } else if (!wasOn && on) {
        SetClip(audio, values);
        SAudioValues v = audio.GetValues();
        v.m_buttonControls = 1;
        v.m_playButton = 1;
        audio.SetValues(v);
        std::unique_ptr<CComponentBase> clone = audio.Clone(false);
        auto *stop = static_cast<CComponentAudio *>(clone.get());
        SAudioValues stopValues = v;
        stopValues.m_playButton = 0;
        stop->SetValues(stopValues);
        CRect bounds = audio.GetBounds();
        bounds.OffsetRect(bounds.Width(), 0);
        stop->SetBounds(CRect::FromQRect(CCanvasModel::ClampIntoScreen(bounds.ToQRect())), true);
        if (screen) {
            // A refused Stop button stays in clone and goes with it.
            if (const CStatus status = screen->AddComponent(std::move(clone)); !status)
                prompt.Information(status.Error());
        }
    } else {
        // The partner is found by the file it shares, so before the file changes.
        CComponentAudio *partner = audio.FindPartnerButton();
        SetClip(audio, values);
        if (partner)
            SetClip(*partner, values);
    }
    Touch(audio);
}

// ---- Movies ----

SVideoDialogChoice ChooseVideoDialog(const QString &filePath, int type)
{
    const QString extension = ExtensionOf(filePath);
    const QString editMedia = QStringLiteral("Edit media");
    if (Is(extension, "flv") || (Is(extension, "mov") && type == ct_flash_video))
        return {VideoDialog::FlashVideo, -1, QStringLiteral("Edit Flash Video")};
    for (const char *movie : {"avi", "mpeg", "mpg", "mp4", "mov", "wmv", "rv", "rm"})
        if (Is(extension, movie))
            return {VideoDialog::ImportMedia, MediaVideo, editMedia};
    if (Is(extension, "pdf"))
        return {VideoDialog::Pdf, -1, QStringLiteral("Edit PDF")};
    if (Is(extension, "gif"))
        return {VideoDialog::ImportMedia, MediaAnimatedGif, editMedia};
    if (Is(extension, "swf"))
        return type == ct_flash_question ? SVideoDialogChoice{VideoDialog::FlashQuestion, -1, QStringLiteral("Edit Flash Question")}
                                         : SVideoDialogChoice{VideoDialog::Flash, -1, QStringLiteral("Edit Flash")};
    return {VideoDialog::ImportMedia, -1, editMedia};
}

SImportMediaValues ImportMediaPreset(const CComponentVideo &video, SImportMediaValues values)
{
    values.caption = QStringLiteral("Edit media");
    return Loaded(video, ComponentBindings::ImportMedia(), values);
}

void ApplyImportMedia(CComponentVideo &video, const SImportMediaValues &values)
{
    SVideoValues v = video.GetValues();
    ComponentBindings::ImportMedia().Store(values, v);
    if (!values.displayController && !Is(ExtensionOf(values.file), "swf"))
        v.m_autoStart = 1;
    video.SetValues(v);
    Touch(video);
}

SFlashVideoDialogValues FlashVideoPreset(const CComponentVideo &video)
{
    SFlashVideoDialogValues values = Loaded(video, ComponentBindings::FlashVideo(),
                                            Captioned<SFlashVideoDialogValues>(QStringLiteral("Edit Flash Video")));
    if (const auto *player = dynamic_cast<const CComponentFlashVideo *>(&video))
        values.FromPlayer(player->GetPlayerValues());
    return values;
}

void ApplyFlashVideo(CComponentVideo &video, const SFlashVideoDialogValues &values)
{
    Stored(video, ComponentBindings::FlashVideo(), values);
    if (auto *player = dynamic_cast<CComponentFlashVideo *>(&video))
        player->SetPlayerValues(values.ToPlayer());
    Touch(video);
}

SAddPdfValues PdfPreset(const CComponentVideo &video)
{
    return Loaded(video, ComponentBindings::Pdf(), Captioned<SAddPdfValues>(QStringLiteral("Edit PDF")));
}

void ApplyPdf(CComponentVideo &video, const SAddPdfValues &values)
{
    Stored(video, ComponentBindings::Pdf(), values);
    Touch(video);
}

CFlashQuestionValues FlashQuestionPreset(const CComponentVideo &video)
{
    CFlashQuestionValues values;
    values.title = QStringLiteral("Edit Flash Question");
    values = Loaded(video, ComponentBindings::FlashQuestion(), values);
    values.fullScreen = 0;
    return values;
}

void ApplyFlashQuestion(CComponentVideo &video, const CFlashQuestionValues &values)
{
    Stored(video, ComponentBindings::FlashQuestion(), values);
    if (values.fullScreen)
        video.SetBounds(CRect(0, 0, CCanvasModel::kWidth, CCanvasModel::kHeight), true);
    Touch(video);
}

SAddFlashValues FlashPreset(const CComponentVideo &video)
{
    return Loaded(video, ComponentBindings::Flash(), Captioned<SAddFlashValues>(QStringLiteral("Edit Flash")));
}

void ApplyFlash(CComponentVideo &video, const SAddFlashValues &values)
{
    Stored(video, ComponentBindings::Flash(), values);
    Touch(video);
}

// ---- Embedded video ----

SYouTubeDialogValues YouTubePreset(const CComponentYouTube &youtube)
{
    SYouTubeDialogValues values =
        Loaded(youtube, ComponentBindings::YouTube(), Captioned<SYouTubeDialogValues>(QStringLiteral("Edit YouTube")));
    values.okEnabledAtStart = 1;
    return values;
}

void ApplyYouTube(CComponentYouTube &youtube, const SYouTubeDialogValues &values)
{
    Stored(youtube, ComponentBindings::YouTube(), values);
    Touch(youtube);
}

// ---- Link ----

bool ReplaceLinkText(CComponentLink &link, const QString &text)
{
    if (text == link.GetText())
        return false;
    link.SetText(text);
    Touch(link);
    return true;
}

// ---- Topic buttons ----

bool CanReplaceTopicPicture(const CComponentTopicButton &button) { return button.GetThumbnailIndex() == -1; }

bool ReplaceTopicPicture(CComponentTopicButton &button, const QString &path, const CCorvContext &context,
                         CPrompt &prompt)
{
    if (path.isEmpty() || !CanReplaceTopicPicture(button))
        return false;
    // Checked first: a button given a file it cannot read would lose the picture it has.
    CxImage probe;
    if (!PictureFiles::Load(probe, path, GetImageFormatFromExt(path))) {
        prompt.Warning(QStringLiteral("The picture\n%1\ncannot be read.").arg(path));
        return false;
    }
    button.SetPicture(path, context);
    Touch(button);
    return true;
}

bool ReplaceTopicPictureFromLibrary(CComponentTopicButton &button, const QString &fileName,
                                    const CCorvContext &context, CPrompt &prompt)
{
    QString path;
    if (fileName.isEmpty() || !FindLibraryImage(context, fileName, path))
        return false;
    return ReplaceTopicPicture(button, path, context, prompt);
}

} // namespace MediaEditCommands
