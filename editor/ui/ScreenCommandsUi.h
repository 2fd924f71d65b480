#pragma once

#include "editor/ScreenCommands.h"
#include "model/ComponentRemediation.h"

#include <functional>

class CCorvessaDoc;
class QWidget;

// The dialogs of the Edit window's screen commands: each opens modally over the parent with the course's
// right-to-left setting and its messages going to the document's prompt.
namespace ScreenCommandsUi {

CScreenCommands::Dialogs MakeDialogs(QWidget *parent, CCorvessaDoc &doc);
// The remediation dialog for the controller's hook: a new remediation (nothing counted yet, no pass mark)
// opens with the dialog's own defaults.
std::function<bool(SRemediationValues &)> RemediationDialog(QWidget *parent, CCorvessaDoc &doc);

} // namespace ScreenCommandsUi
