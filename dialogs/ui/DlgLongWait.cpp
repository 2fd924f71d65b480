#include "dialogs/ui/DlgLongWait.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

CDlgLongWait::CDlgLongWait() : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("DlgLongWait"));
    setAccessibleName(QStringLiteral("Please wait"));
    auto *layout = new QVBoxLayout(this);
    m_text = new QLabel(this);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setFrameStyle(QFrame::Box | QFrame::Plain);
    layout->addWidget(m_text);
    setFixedSize(330, 85);
}

void CDlgLongWait::SetMessage(const QString &text)
{
    m_message = text;
    if (isVisible())
        Refresh();
}

void CDlgLongWait::CreateModeless()
{
    m_text->setText(m_message);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    repaint();
}

void CDlgLongWait::Refresh()
{
    m_text->setText(m_message);
    m_text->repaint();
}
