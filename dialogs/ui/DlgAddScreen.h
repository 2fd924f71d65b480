#pragma once

#include <QDialog>

class QLabel;
class QListWidget;

// "Template": the screen template picker of the new-screen command, with a preview of the chosen layout.
// After OK the template code says which screen to make (0 to 9 the picture layouts, 13 text only, 14
// blank).
class CDlgAddScreen : public QDialog
{
    Q_OBJECT
public:
    explicit CDlgAddScreen(QWidget *parent = nullptr);

    int templateCode = 0;

    void accept() override;

    QListWidget *TemplateList() const { return m_list; }
    QLabel *Preview() const { return m_preview; }
    // The 181 x 135 preview of a template code.
    static QImage PreviewImage(int code);

private:
    QListWidget *m_list;
    QLabel *m_preview;
};
