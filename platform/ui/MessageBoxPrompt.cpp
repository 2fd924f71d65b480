#include "platform/ui/MessageBoxPrompt.h"

#include <QApplication>
#include <QMessageBox>

CPrompt::Answer CMessageBoxPrompt::Ask(Kind kind, const QString &text, const QString &caption)
{
    QMessageBox::Icon icon = QMessageBox::Information;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    switch (kind) {
    case information: break;
    case warning: icon = QMessageBox::Warning; break;
    case error: icon = QMessageBox::Critical; break;
    case yesNo: icon = QMessageBox::Question; buttons = QMessageBox::Yes | QMessageBox::No; break;
    case yesNoCancel:
        icon = QMessageBox::Question;
        buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    case okCancel: icon = QMessageBox::Question; buttons = QMessageBox::Ok | QMessageBox::Cancel; break;
    }
    QWidget *parent = m_parent ? m_parent.data() : QApplication::activeWindow();
    QMessageBox box(icon, caption.isEmpty() ? QStringLiteral("Corvessa") : caption, text, buttons, parent);
    // A box shown while long work holds the wait cursor (a publish, a save) is answered with the arrow.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    if (busy)
        QApplication::restoreOverrideCursor();
    switch (answer) {
    case QMessageBox::Yes: return yes;
    case QMessageBox::No: return no;
    case QMessageBox::Cancel: return cancel;
    default: return ok;
    }
}
