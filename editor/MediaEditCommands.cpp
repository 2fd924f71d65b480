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

void SetClip(CComponentAudio &audio, const SUpdateAudioValues &values)
{
    SAudioValues v = audio.GetValues();
    ComponentBindings::AudioClip().Store(values, v);
    audio.SetValues(v);
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
    SUpdateAudioValues values;
    ComponentBindings::AudioClip().Load(audio.GetValues(), values);
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
    ComponentBindings::ImportMedia().Load(video.GetValues(), values);
    return values;
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
    SFlashVideoDialogValues values;
    values.caption = QStringLiteral("Edit Flash Video");
    ComponentBindings::FlashVideo().Load(video.GetValues(), values);
    if (const auto *player = dynamic_cast<const CComponentFlashVideo *>(&video))
        values.FromPlayer(player->GetPlayerValues());
    return values;
}

void ApplyFlashVideo(CComponentVideo &video, const SFlashVideoDialogValues &values)
{
    SVideoValues v = video.GetValues();
    ComponentBindings::FlashVideo().Store(values, v);
    video.SetValues(v);
    if (auto *player = dynamic_cast<CComponentFlashVideo *>(&video))
        player->SetPlayerValues(values.ToPlayer());
    Touch(video);
}

SAddPdfValues PdfPreset(const CComponentVideo &video)
{
    SAddPdfValues values;
    values.caption = QStringLiteral("Edit PDF");
    ComponentBindings::Pdf().Load(video.GetValues(), values);
    return values;
}

void ApplyPdf(CComponentVideo &video, const SAddPdfValues &values)
{
    SVideoValues v = video.GetValues();
    ComponentBindings::Pdf().Store(values, v);
    video.SetValues(v);
    Touch(video);
}

CFlashQuestionValues FlashQuestionPreset(const CComponentVideo &video)
{
    CFlashQuestionValues values;
    values.title = QStringLiteral("Edit Flash Question");
    ComponentBindings::FlashQuestion().Load(video.GetValues(), values);
    values.fullScreen = 0;
    return values;
}

void ApplyFlashQuestion(CComponentVideo &video, const CFlashQuestionValues &values)
{
    SVideoValues v = video.GetValues();
    ComponentBindings::FlashQuestion().Store(values, v);
    video.SetValues(v);
    if (values.fullScreen)
        video.SetBounds(CRect(0, 0, CCanvasModel::kWidth, CCanvasModel::kHeight), true);
    Touch(video);
}

SAddFlashValues FlashPreset(const CComponentVideo &video)
{
    SAddFlashValues values;
    values.caption = QStringLiteral("Edit Flash");
    ComponentBindings::Flash().Load(video.GetValues(), values);
    return values;
}

void ApplyFlash(CComponentVideo &video, const SAddFlashValues &values)
{
    SVideoValues v = video.GetValues();
    ComponentBindings::Flash().Store(values, v);
    video.SetValues(v);
    Touch(video);
}

// ---- Embedded video ----

SYouTubeDialogValues YouTubePreset(const CComponentYouTube &youtube)
{
    SYouTubeDialogValues values;
    values.caption = QStringLiteral("Edit YouTube");
    ComponentBindings::YouTube().Load(youtube.GetValues(), values);
    values.okEnabledAtStart = 1;
    return values;
}

void ApplyYouTube(CComponentYouTube &youtube, const SYouTubeDialogValues &values)
{
    SYouTubeValues v = youtube.GetValues();
    ComponentBindings::YouTube().Store(values, v);
    youtube.SetValues(v);
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
