#include "editor/ui/PropertySheetView.h"

#include "editor/EditController.h"
#include "editor/ui/DragDropListCtrl.h"
#include "editor/ui/DragDropTreeCtrl.h"
#include "platform/StringTable.h"

#include <QApplication>
#include <QDrag>
#include <QHBoxLayout>
#include <QMimeData>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A button that is dragged rather than clicked: it drops a new outline entry of its kind.
class CDragButton : public QToolButton
{
public:
    CDragButton(const QString &text, const QByteArray &kind, const QString &tip, QWidget *parent)
        : QToolButton(parent), m_kind(kind)
    {
        setText(text);
        setToolTip(tip);
        setAccessibleName(text);
        setObjectName(text + QStringLiteral("Button"));
        setFixedSize(90, 32);
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        m_pressed = event->position().toPoint();
        QToolButton::mousePressEvent(event);
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (!(event->buttons() & Qt::LeftButton)
            || (event->position().toPoint() - m_pressed).manhattanLength() < QApplication::startDragDistance())
            return;
        setDown(false);
        auto *drag = new QDrag(this);
        auto *mime = new QMimeData;
        mime->setData(QString::fromLatin1(CDragDropTreeCtrl::kNewMime), m_kind);
        drag->setMimeData(mime);
        drag->setPixmap(grab());
        drag->exec(Qt::CopyAction);
    }

private:
    QByteArray m_kind;
    QPoint m_pressed;
};

} // namespace

CPropertySheetView::CPropertySheetView(CEditController &controller, QWidget *parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("Navigator"));
    setAccessibleName(QStringLiteral("Navigator"));
    m_thumbs = new CDragDropListCtrl(controller, this);
    addTab(m_thumbs, QStringLiteral("Thumbs"));
    addTab(MakeTreePage(controller), QStringLiteral("Tree"));
    setCurrentIndex(0);
}

QWidget *CPropertySheetView::MakeTreePage(CEditController &controller)
{
    auto *page = new QWidget(this);
    m_tree = new CDragDropTreeCtrl(controller, page);
    m_containerButton = new CDragButton(QStringLiteral("Container"), "container", CStringTable::Load(61461), page);
    m_remediationButton = new CDragButton(QStringLiteral("Remediation"), "remediation", CStringTable::Load(61462), page);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_containerButton);
    buttons->addWidget(m_remediationButton);
    buttons->addStretch();
    buttons->setContentsMargins(0, 4, 0, 4);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);
    layout->addLayout(buttons);
    return page;
}
