#include "app/ui/ChdMetadataClosed.h"

#include "platform/StringTable.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

CChdMetadataClosed::CChdMetadataClosed(QWidget *parent) : QWidget(parent), m_arrow(new QToolButton(this))
{
    setObjectName(QStringLiteral("LomBar"));
    m_arrow->setArrowType(Qt::RightArrow);
    m_arrow->setAutoRaise(true);
    m_arrow->setAccessibleName(QStringLiteral("Open the LOM editor"));
    auto *heading = new QLabel(CStringTable::Load(61465), this);
    heading->setBuddy(m_arrow);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_arrow);
    layout->addWidget(heading, 1);
    connect(m_arrow, &QToolButton::clicked, this, &CChdMetadataClosed::openRequested);
}
