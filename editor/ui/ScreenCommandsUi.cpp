#include "editor/ui/ScreenCommandsUi.h"

#include "dialogs/ui/DlgAddFlashQuestion.h"
#include "dialogs/ui/DlgAddScreen.h"
#include "dialogs/ui/DlgFreeFormText.h"
#include "dialogs/ui/DlgInsertTable.h"
#include "dialogs/ui/DlgLikertQuestion.h"
#include "dialogs/ui/DlgQuestionCompleteParagraph.h"
#include "dialogs/ui/DlgQuestionFillBlanks.h"
#include "dialogs/ui/DlgQuestionMatchPairs.h"
#include "dialogs/ui/DlgQuestionMultipleChoice.h"
#include "dialogs/ui/DlgQuestionPartsIdentification.h"
#include "dialogs/ui/DlgQuestionTrueFalse.h"
#include "dialogs/ui/DlgRemediation.h"
#include "document/CorvessaDoc.h"

#include <QPointer>

namespace ScreenCommandsUi {

namespace {

// Presets the dialog's values, runs it and hands the values back on OK.
template <class Dialog, class Values>
bool Run(Dialog &dialog, CCorvessaDoc &doc, Values &values)
{
    dialog.prompt = &doc.Prompt();
    dialog.rtlLayout = doc.Settings().RightToLeft;
    dialog.values = values;
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values = dialog.values;
    return true;
}

// The hook that opens a dialog of the kind over the owner with the values.
template <class Dialog, class Values>
std::function<bool(Values &)> Opens(const QPointer<QWidget> &owner, CCorvessaDoc &doc)
{
    return [owner, &doc](Values &values) {
        Dialog dialog(owner);
        return Run(dialog, doc, values);
    };
}

} // namespace

CScreenCommands::Dialogs MakeDialogs(QWidget *parent, CCorvessaDoc &doc)
{
    QPointer<QWidget> owner(parent);
    CScreenCommands::Dialogs d;
    d.addScreen = [owner](int &code) {
        CDlgAddScreen dialog(owner);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        code = dialog.templateCode;
        return true;
    };
    d.blankQuestion = [owner, &doc](CBlankQuestionValues &values, bool paragraph) {
        if (paragraph) {
            CDlgQuestionCompleteParagraph dialog(owner);
            return Run(dialog, doc, values);
        }
        CDlgQuestionFillBlanks dialog(owner);
        return Run(dialog, doc, values);
    };
    d.multipleChoice = Opens<CDlgQuestionMultipleChoice, CMultipleChoiceValues>(owner, doc);
    d.trueFalse = Opens<CDlgQuestionTrueFalse, CTrueFalseValues>(owner, doc);
    d.matchPairs = [owner, &doc](CMatchPairsValues &values) {
        CDlgQuestionMatchPairs dialog(owner);
        dialog.context = &doc.GetContext();
        return Run(dialog, doc, values);
    };
    d.partIdentification = Opens<CDlgQuestionPartsIdentification, CPartIdentificationValues>(owner, doc);
    d.likert = Opens<CDlgLikertQuestion, CLikertValues>(owner, doc);
    d.flashQuestion = Opens<DlgAddFlashQuestion, CFlashQuestionValues>(owner, doc);
    d.freeFormText = [owner, &doc](CComponentFreeFormText::DialogValues &values) {
        CDlgFreeFormText dialog(owner);
        dialog.prompt = &doc.Prompt();
        dialog.rtlLayout = doc.Settings().RightToLeft;
        return dialog.Edit(values);
    };
    d.insertTable = Opens<CDlgInsertTable, CInsertTableValues>(owner, doc);
    return d;
}

std::function<bool(SRemediationValues &)> RemediationDialog(QWidget *parent, CCorvessaDoc &doc)
{
    QPointer<QWidget> owner(parent);
    return [owner, &doc](SRemediationValues &values) {
        CDlgRemediation dialog(doc, owner);
        dialog.prompt = &doc.Prompt();
        const bool fresh = values.m_questionPageIds.empty() && values.m_passMark == 0;
        if (!fresh) {
            dialog.values.counted = values.m_questionPageIds;
            dialog.values.passMark = values.m_passMark;
            dialog.values.completionTarget = values.m_completionPageId;
            dialog.values.reverseOutTarget = values.m_reverseOutPageId;
        }
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values.m_questionPageIds = dialog.values.counted;
        values.m_passMark = dialog.values.passMark;
        values.m_completionPageId = dialog.values.completionTarget;
        values.m_reverseOutPageId = dialog.values.reverseOutTarget;
        return true;
    };
}

} // namespace ScreenCommandsUi
