#include "app/ui/SettingsPage.h"

#include <QKeyEvent>

CSettingsPage::CSettingsPage(CCorvessaDoc &document, QWidget *parent) : QWidget(parent), m_document(document) {}

void CSettingsPage::keyPressEvent(QKeyEvent *event)
{
    // A page never ends on Enter or Esc; swallowing them keeps them from any window around it.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: event->accept(); return;
    default: QWidget::keyPressEvent(event);
    }
}
