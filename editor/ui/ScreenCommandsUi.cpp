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
    d.multipleChoice = [owner, &doc](CMultipleChoiceValues &values) {
        CDlgQuestionMultipleChoice dialog(owner);
        return Run(dialog, doc, values);
    };
    d.trueFalse = [owner, &doc](CTrueFalseValues &values) {
        CDlgQuestionTrueFalse dialog(owner);
        return Run(dialog, doc, values);
    };
    d.matchPairs = [owner, &doc](CMatchPairsValues &values) {
        CDlgQuestionMatchPairs dialog(owner);
        dialog.context = &doc.GetContext();
        return Run(dialog, doc, values);
    };
    d.partIdentification = [owner, &doc](CPartIdentificationValues &values) {
        CDlgQuestionPartsIdentification dialog(owner);
        return Run(dialog, doc, values);
    };
    d.likert = [owner, &doc](CLikertValues &values) {
        CDlgLikertQuestion dialog(owner);
        return Run(dialog, doc, values);
    };
    d.flashQuestion = [owner, &doc](CFlashQuestionValues &values) {
        DlgAddFlashQuestion dialog(owner);
        return Run(dialog, doc, values);
    };
    d.freeFormText = [owner, &doc](CComponentFreeFormText::DialogValues &values) {
        CDlgFreeFormText dialog(owner);
        dialog.prompt = &doc.Prompt();
        dialog.rtlLayout = doc.Settings().RightToLeft;
        return dialog.Edit(values);
    };
    d.insertTable = [owner, &doc](CInsertTableValues &values) {
        CDlgInsertTable dialog(owner);
        return Run(dialog, doc, values);
    };
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
