#pragma once

#include <QWidget>

class QToolButton;

// The folded LOM panel of the General page: an arrow and the panel's heading on one line.
class CChdMetadataClosed : public QWidget
{
    Q_OBJECT
public:
    explicit CChdMetadataClosed(QWidget *parent = nullptr);

    QToolButton *Arrow() const { return m_arrow; }

signals:
    void openRequested();

private:
    QToolButton *m_arrow;
};
