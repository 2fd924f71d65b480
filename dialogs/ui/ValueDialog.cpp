#include "dialogs/ui/ValueDialog.h"

#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageBoxPrompt.h"
#include "dialogs/FileFilter.h"
#include "platform/StringTable.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

QString AccessibleFromLabel(QString label)
{
    label = label.trimmed();
    if (label.endsWith(QLatin1Char(':')))
        label.chop(1);
    return label;
}

} // namespace

CValueDialog::CValueDialog(QWidget *parent) : QDialog(parent) {}

CValueDialog::~CValueDialog() = default;

int CValueDialog::exec()
{
    ApplyLayoutDirection();
    ShowValues();
    return QDialog::exec();
}

void CValueDialog::ApplyLayoutDirection()
{
    setLayoutDirection(rtlLayout ? Qt::RightToLeft : Qt::LeftToRight);
}

CPrompt &CValueDialog::Prompt()
{
    if (prompt)
        return *prompt;
    if (!m_messageBoxes) {
        m_messageBoxes = std::make_unique<CMessageBoxPrompt>();
        m_messageBoxes->SetParentWindow(this);
    }
    return *m_messageBoxes;
}

CFileDialogs &CValueDialog::Files() { return fileDialogs ? *fileDialogs : CFileDialogs::Native(); }

QColor CValueDialog::FeedbackColour(bool focused)
{
    return focused ? QColor(Qt::white) : QApplication::palette().color(QPalette::Button);
}

bool CValueDialog::Passed(const CDialogCheck &check)
{
    if (check.Passed())
        return true;
    Prompt().Warning(check.message);
    if (QWidget *box = m_focusControls.value(check.focus))
        box->setFocus(Qt::OtherFocusReason);
    return false;
}

namespace {

template <class Parse, class Value>
bool ReadNumber(CValueDialog &dialog, QLineEdit *box, Value &out, Parse parse, const QString &message)
{
    Value value{};
    if (parse(box->text(), value)) {
        out = value;
        return true;
    }
    dialog.Prompt().Warning(message);
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    return false;
}

} // namespace

bool CValueDialog::ReadInt(QLineEdit *box, int &out)
{
    return ReadNumber(*this, box, out, DialogNumbers::ParseInt, DialogNumbers::kIntegerMessage);
}

bool CValueDialog::ReadUnsigned(QLineEdit *box, int &out)
{
    return ReadNumber(*this, box, out, DialogNumbers::ParseUnsigned, DialogNumbers::kUnsignedMessage);
}

bool CValueDialog::ReadDouble(QLineEdit *box, double &out)
{
    return ReadNumber(*this, box, out, DialogNumbers::ParseDouble, DialogNumbers::kNumberMessage);
}

QPlainTextEdit *CValueDialog::MultiLine(const QString &objectName, const QString &label, int lines)
{
    auto *box = new QPlainTextEdit(this);
    box->setObjectName(objectName);
    box->setAccessibleName(AccessibleFromLabel(label));
    box->setTabChangesFocus(true);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setFixedHeight(box->fontMetrics().lineSpacing() * lines + 12);
    return box;
}

QLineEdit *CValueDialog::SingleLine(const QString &objectName, const QString &label)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(objectName);
    box->setAccessibleName(AccessibleFromLabel(label));
    return box;
}

QLabel *CValueDialog::Label(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text, this);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

QPlainTextEdit *CValueDialog::FeedbackBox(const QString &objectName, const QString &label)
{
    QPlainTextEdit *box = MultiLine(objectName, label, 2);
    box->setAutoFillBackground(true);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, FeedbackColour(false));
    box->setPalette(palette);
    box->installEventFilter(this);
    return box;
}

bool CValueDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        if (auto *box = qobject_cast<QPlainTextEdit *>(watched)) {
            QPalette palette = box->palette();
            palette.setColor(QPalette::Base, FeedbackColour(event->type() == QEvent::FocusIn));
            box->setPalette(palette);
            box->viewport()->update();
        }
    }
    return QDialog::eventFilter(watched, event);
}

QDialogButtonBox *CValueDialog::OkCancel()
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("Buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

void CValueDialog::AddFeedbackBoxes(QBoxLayout *layout, QPlainTextEdit *&correct, QPlainTextEdit *&wrong,
                                    bool sideBySide)
{
    const QString correctLabel = QStringLiteral("Correct answer feedback");
    const QString wrongLabel = QStringLiteral("Wrong answer feedback");
    correct = FeedbackBox(QStringLiteral("CorrectFeedback"), correctLabel);
    wrong = FeedbackBox(QStringLiteral("WrongFeedback"), wrongLabel);
    auto *grid = new QGridLayout;
    grid->addWidget(Label(correctLabel, correct), 0, 0);
    grid->addWidget(correct, 1, 0);
    grid->addWidget(Label(wrongLabel, wrong), sideBySide ? 0 : 2, sideBySide ? 1 : 0);
    grid->addWidget(wrong, sideBySide ? 1 : 3, sideBySide ? 1 : 0);
    layout->addLayout(grid);
}

QString CValueDialog::BrowseFile(const QString &current, int filterId)
{
    const QString file = current.trimmed();
    return Files().GetOpenFileName(this, QStringLiteral("Open"), file.isEmpty() ? QString() : QFileInfo(file).path(),
                                   DialogFileFilter::ToPickerFilter(CStringTable::Load(filterId)));
}
