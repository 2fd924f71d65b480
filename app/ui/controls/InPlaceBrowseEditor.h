#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// The editor of a browse cell: the cell's text, and at the cell's right a "..." button (F4 or Alt+Down from
// the text) that asks for a file.
class CInPlaceBrowseEditor : public QWidget
{
    Q_OBJECT
public:
    explicit CInPlaceBrowseEditor(QWidget *parent = nullptr);

    QLineEdit *Edit() const { return m_edit; }
    QToolButton *Button() const { return m_button; }
    // True while the file dialog is open, when losing the focus to it ends nothing.
    bool IsBrowsing() const { return m_browsing; }
    void SetBrowsing(bool on) { m_browsing = on; }

signals:
    void browseRequested();

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_edit;
    QToolButton *m_button;
    bool m_browsing = false;
};
