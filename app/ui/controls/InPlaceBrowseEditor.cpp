#include "app/ui/controls/InPlaceBrowseEditor.h"

#include "app/DropDownListRules.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

CInPlaceBrowseEditor::CInPlaceBrowseEditor(QWidget *parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_button(new QToolButton(this))
{
    m_edit->setAccessibleName(QStringLiteral("Cell text"));
    m_button->setText(QStringLiteral("..."));
    m_button->setAccessibleName(QStringLiteral("Browse"));
    m_button->setToolTip(QStringLiteral("Browse (F4)"));
    m_button->setFocusPolicy(Qt::NoFocus);
    setFocusProxy(m_edit);
    setAutoFillBackground(true);
    m_edit->installEventFilter(this);
    connect(m_button, &QToolButton::clicked, this, &CInPlaceBrowseEditor::browseRequested);
}

void CInPlaceBrowseEditor::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_edit->setGeometry(CorvDropDownList::BrowseEditRect(rect()));
    m_button->setGeometry(CorvDropDownList::BrowseButtonRect(rect(), style()->pixelMetric(QStyle::PM_ScrollBarExtent)));
    m_button->raise();
}

bool CInPlaceBrowseEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F4 || (key->key() == Qt::Key_Down && (key->modifiers() & Qt::AltModifier))) {
            emit browseRequested();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
