#pragma once

#include <QTabWidget>

class CDragDropListCtrl;
class CDragDropTreeCtrl;
class CEditController;
class QLabel;

// The navigator: the "Thumbs" page with the thumbnail list and the "Tree" page with the outline and its two
// drag buttons, "Container" and "Remediation".
class CPropertySheetView : public QTabWidget
{
    Q_OBJECT
public:
    CPropertySheetView(CEditController &controller, QWidget *parent = nullptr);

    CDragDropListCtrl *ThumbnailList() const { return m_thumbs; }
    CDragDropTreeCtrl *Tree() const { return m_tree; }
    QWidget *ContainerButton() const { return m_containerButton; }
    QWidget *RemediationButton() const { return m_remediationButton; }

private:
    QWidget *MakeTreePage(CEditController &controller);

    CDragDropListCtrl *m_thumbs = nullptr;
    CDragDropTreeCtrl *m_tree = nullptr;
    QWidget *m_containerButton = nullptr;
    QWidget *m_remediationButton = nullptr;
};
