#pragma once

#include "dialogs/DialogCheck.h"

#include <QDialog>
#include <QHash>

#include <memory>

class CFileDialogs;
class CMessageBoxPrompt;
class CPrompt;
class QBoxLayout;
class QDialogButtonBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// What the editing dialogs share. The caller presets the dialog's public values, runs it and reads the
// values back after OK; Cancel (the button, Escape, closing the window) leaves them as they were. OK reads
// the controls into a copy of the values, runs the dialog's checks and keeps the copy only when they pass;
// a failed check shows its message, moves the focus to the box it names and keeps the dialog open.
class CValueDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CValueDialog(QWidget *parent = nullptr);
    ~CValueDialog() override;

    // Where messages go; message boxes over this dialog when none is set.
    CPrompt *prompt = nullptr;
    // The file pickers; the desktop's when none is set.
    CFileDialogs *fileDialogs = nullptr;
    // The course's right-to-left setting: a mirrored dialog.
    int rtlLayout = 0;

    // Shows the values in the controls and runs the dialog.
    int exec() override;
    // Shows the values in the controls (exec does this first).
    virtual void ShowValues() = 0;

    CPrompt &Prompt();
    CFileDialogs &Files();

    // The feedback box's background: white while it has the focus, the desktop's button face otherwise.
    static QColor FeedbackColour(bool focused);

protected:
    // Shows a failed check's message and moves the focus; true when the check passed.
    bool Passed(const CDialogCheck &check);
    // Number boxes: the text as a number of the kind; false, with the kind's message and the focus on the
    // box, when it is not one.
    bool ReadInt(QLineEdit *box, int &out);
    bool ReadUnsigned(QLineEdit *box, int &out);
    bool ReadDouble(QLineEdit *box, double &out);
    // The box a check names by its control number.
    void SetFocusControl(int control, QWidget *widget) { m_focusControls.insert(control, widget); }

    // Building blocks: a multi-line box, a single-line box and their labels (the label is the box's
    // accessible name, without a trailing colon), a feedback box that shows the focus, and OK and Cancel.
    QPlainTextEdit *MultiLine(const QString &objectName, const QString &label, int lines = 3);
    QLineEdit *SingleLine(const QString &objectName, const QString &label);
    QLabel *Label(const QString &text, QWidget *buddy);
    QPlainTextEdit *FeedbackBox(const QString &objectName, const QString &label);
    QDialogButtonBox *OkCancel();
    // The correct- and wrong-answer feedback boxes with their labels, one above the other or side by side.
    void AddFeedbackBoxes(QBoxLayout *layout, QPlainTextEdit *&correct, QPlainTextEdit *&wrong,
                          bool sideBySide = false);
    // The file the author picks, starting in the folder of the current one, with a filter of the string
    // table; empty when the picker is cancelled.
    QString BrowseFile(const QString &current, int filterId);
    // Applies the right-to-left setting to the dialog.
    void ApplyLayoutDirection();

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QHash<int, QWidget *> m_focusControls;
    std::unique_ptr<CMessageBoxPrompt> m_messageBoxes;
};
