#pragma once

#include "dialogs/MediaDialogValues.h"

class CCorvPage;
class CCorvessaDoc;
class CPrompt;
class CRecorder;

namespace Narration {

// Runs the recorder with the values of the narration kind of the media dialog; the recorder's result, the
// values holding what it returned.
int RunNarrationRecorder(CRecorder &recorder, SImportMediaValues &values);

// The Record narration command: records, and on a recording adds an audio component of the recorded file
// and the author's choices to the screen (the file goes into the project's "Sounds" folder when the
// project is saved, like every sound). The number of components added; 0 when nothing was recorded, the
// file is missing or there is no screen.
int RecordNarration(CRecorder &recorder, CCorvessaDoc &doc, CCorvPage *screen, CPrompt &prompt);

} // namespace Narration
