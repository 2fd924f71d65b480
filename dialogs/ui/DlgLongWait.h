#pragma once

#include "platform/ProcessRunner.h"

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

// The wait box of long work that has no steps to count: a caption-less window with one message, painted
// when it is made and when its message changes, as the work runs without an event loop.
class CDlgLongWait : public QDialog
{
    Q_OBJECT
public:
    CDlgLongWait();

    void SetMessage(const QString &text);
    // Shows the window centred on the screen and paints it at once.
    void CreateModeless();
    // Copies the message into the window again and paints it.
    void Refresh();
    QPushButton *CancelButton() const { return m_cancel; }

    // Runs a helper program while the box shows the message over the program's windows, which take no input
    // meanwhile; Cancel ends the helper and the result says so.
    static CProcessResult RunWhileWaiting(const QString &message, const QString &program, const QStringList &arguments);

private:
    QString m_message;
    QLabel *m_text;
    QPushButton *m_cancel;
};
