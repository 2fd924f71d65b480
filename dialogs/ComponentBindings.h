#pragma once

#include "dialogs/FlashQuestionValues.h"
#include "dialogs/LikertValues.h"
#include "dialogs/MediaDialogValues.h"
#include "dialogs/MultipleChoiceValues.h"
#include "dialogs/ValueBindings.h"
#include "document/ScreenFactory.h"
#include "model/ComponentAudio.h"
#include "model/ComponentLikert.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentVideo.h"
#include "model/ComponentYouTube.h"

// The binding table of each dialog that edits a component: which field of the dialog's values mirrors
// which member of the component's values. The editing commands preset a dialog with Load and apply an
// OK'd dialog with Store; what a dialog does beyond copying fields (a caption, a rule) stays with them.
namespace ComponentBindings {

// The sound clip: its file, auto-start and loop (the button controls are applied by a rule of their own).
const CValueBindings<SUpdateAudioValues, SAudioValues> &AudioClip();
const CValueBindings<SImportMediaValues, SVideoValues> &ImportMedia();
const CValueBindings<SFlashVideoDialogValues, SVideoValues> &FlashVideo();
const CValueBindings<SAddPdfValues, SVideoValues> &Pdf();
const CValueBindings<SAddFlashValues, SVideoValues> &Flash();
// The Flash question, edited from its window or with Edit question.
const CValueBindings<CFlashQuestionValues, SVideoValues> &FlashQuestion();
const CValueBindings<SYouTubeDialogValues, SYouTubeValues> &YouTube();
// The slider question, and the values a new slider screen is made with.
const CValueBindings<CLikertValues, SLikertValues> &Likert();
const CValueBindings<CLikertValues, CScreenFactory::LikertValues> &NewLikert();
// The multiple-choice question's stem, options and correct marks.
const CValueBindings<CMultipleChoiceValues, SMultipleChoiceValues> &MultipleChoice();

} // namespace ComponentBindings
