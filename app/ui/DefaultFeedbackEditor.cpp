#include "app/ui/DefaultFeedbackEditor.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

QPlainTextEdit *TextEdit(const QString &label, const QString &text, QDialog *dialog, QVBoxLayout *layout)
{
    auto *edit = new QPlainTextEdit(text, dialog);
    edit->setAccessibleName(label);
    edit->setTabChangesFocus(true);
    edit->setFixedHeight(70);
    auto *caption = new QLabel(label, dialog);
    caption->setBuddy(edit);
    layout->addWidget(caption);
    layout->addWidget(edit);
    return edit;
}

} // namespace

bool EditDefaultFeedback(QString &correct, QString &wrong, QWidget *parent)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("DefaultFeedback"));
    dialog.setWindowTitle(QStringLiteral("Default feedback"));
    auto *layout = new QVBoxLayout(&dialog);
    QPlainTextEdit *right = TextEdit(QStringLiteral("Feedback for a correct answer:"), correct, &dialog, layout);
    QPlainTextEdit *wrongEdit = TextEdit(QStringLiteral("Feedback for an incorrect answer:"), wrong, &dialog, layout);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.setMinimumWidth(420);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    correct = right->toPlainText();
    wrong = wrongEdit->toPlainText();
    return true;
}
