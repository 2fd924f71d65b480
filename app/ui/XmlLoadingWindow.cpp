#include "app/ui/XmlLoadingWindow.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

CDlgXMLLoading::CDlgXMLLoading() : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("XmlLoadingWindow"));
    setWindowTitle(QStringLiteral("Corvessa"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(new QLabel(QStringLiteral("Loading XML file. Please wait..."), this));
}

void CDlgXMLLoading::CreateAndShow()
{
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    repaint();
    // Let the window system put it on the screen before the load holds the thread.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
