#pragma once

#include "dialogs/FlashQuestionValues.h"
#include "dialogs/MediaDialogValues.h"

#include <QString>

#include <functional>
#include <optional>

class CComponentAudio;
class CComponentLink;
class CComponentTopicButton;
class CComponentVideo;
class CComponentYouTube;
class CCorvContext;
class CPrompt;

// The editing commands of the sound, movie, embedded video, link and topic-button windows, without
// windows or dialogs: which dialog a component opens, what the dialog is preset with, and what its values
// do to the component on OK. Each Apply marks the component's screen modified and shows the screen on its
// canvas again.
namespace MediaEditCommands {

// ---- Sound ----
SUpdateAudioValues AudioPreset(const CComponentAudio &audio);
// Controls switched off: the partner Stop button goes and the clip becomes a single speaker. Switched on:
// the clip becomes the Play button and a Stop button of its size is added directly to its right (kept on
// the screen), holding the same file, auto-start and loop; a Stop button the screen refuses is told to the
// author and dropped. Otherwise the clip and its partner take the file, auto-start and loop.
void ApplyAudio(CComponentAudio &audio, const SUpdateAudioValues &values, CPrompt &prompt);

// ---- Movies, Flash, animated GIF, PDF, Flash question, Flash video ----
enum class VideoDialog { ImportMedia, FlashVideo, Pdf, FlashQuestion, Flash };
struct SVideoDialogChoice {
    VideoDialog dialog = VideoDialog::ImportMedia;
    int mediaKind = -1; // the "Add media" kind: video, animated GIF, or -1 outside its table
    QString caption;
};
// By the file's extension, without regard to case, and the component's kind.
SVideoDialogChoice ChooseVideoDialog(const QString &filePath, int type);

SImportMediaValues ImportMediaPreset(const CComponentVideo &video, SImportMediaValues values);
// A movie without a controller must start by itself: auto-start is set unless the file is Flash.
void ApplyImportMedia(CComponentVideo &video, const SImportMediaValues &values);
SFlashVideoDialogValues FlashVideoPreset(const CComponentVideo &video);
void ApplyFlashVideo(CComponentVideo &video, const SFlashVideoDialogValues &values);
SAddPdfValues PdfPreset(const CComponentVideo &video);
void ApplyPdf(CComponentVideo &video, const SAddPdfValues &values);
// The "Use all available screen space" box always starts unticked.
CFlashQuestionValues FlashQuestionPreset(const CComponentVideo &video);
// Ticked, the question fills the whole screen; unticked, it keeps its size.
void ApplyFlashQuestion(CComponentVideo &video, const CFlashQuestionValues &values);
SAddFlashValues FlashPreset(const CComponentVideo &video);
void ApplyFlash(CComponentVideo &video, const SAddFlashValues &values);

// ---- Embedded video ----
SYouTubeDialogValues YouTubePreset(const CComponentYouTube &youtube);
void ApplyYouTube(CComponentYouTube &youtube, const SYouTubeDialogValues &values);

// ---- Link ----
// The link takes the text and its size; false (nothing changed) for an unchanged text.
bool ReplaceLinkText(CComponentLink &link, const QString &text);

// ---- Topic buttons ----
// Only a button showing a picture of its own (not a screen's thumbnail) can have it replaced.
bool CanReplaceTopicPicture(const CComponentTopicButton &button);
// The button takes the picture file. Nothing for an empty path or a button that shows a screen's
// thumbnail; a file that is not a readable picture is told to the author and the button keeps its
// picture. True when the picture was replaced.
bool ReplaceTopicPicture(CComponentTopicButton &button, const QString &path, const CCorvContext &context,
                         CPrompt &prompt);
// A picture chosen in the graphics library, by its file name; false (nothing changed) when the library
// does not hold it.
bool ReplaceTopicPictureFromLibrary(CComponentTopicButton &button, const QString &fileName,
                                    const CCorvContext &context, CPrompt &prompt);

} // namespace MediaEditCommands
