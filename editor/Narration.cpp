#include "editor/Narration.h"

#include "dialogs/Recorder.h"
#include "editor/ComponentCommands.h"
#include "platform/Prompt.h"

#include <QFileInfo>

namespace Narration {

int RunNarrationRecorder(CRecorder &recorder, SImportMediaValues &values)
{
    return recorder.Run(values.autoStart, values.loop, values.displayController, values.file);
}

int RecordNarration(CRecorder &recorder, CCorvessaDoc &doc, CCorvPage *screen, CPrompt &prompt)
{
    if (!screen)
        return 0;
    SImportMediaValues values = SImportMediaValues::ForKind(ComponentCommands::MediaNarration, prompt);
    if (RunNarrationRecorder(recorder, values) != 1)
        return 0;
    // A recording the recorder reports but did not leave behind would make a silent button.
    if (!values.Check().Passed() || !QFileInfo(values.file.trimmed()).isFile())
        return 0;
    return ComponentCommands::AddMedia(doc, screen, values.ToChoice(), prompt);
}

} // namespace Narration
