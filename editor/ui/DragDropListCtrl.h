#pragma once

#include <QListView>

class CEditController;
class CThumbListModel;

// The thumbnail list: one picture per screen; choosing one makes its screen current, dropping one on another
// moves its screen after that one (never onto a screen below it in the outline), Delete deletes the screen.
class CDragDropListCtrl : public QListView
{
    Q_OBJECT
public:
    CDragDropListCtrl(CEditController &controller, QWidget *parent = nullptr);

    CThumbListModel *Model() const { return m_model; }
    // Shows the controller's current thumbnail as selected without choosing it again.
    void ShowCurrent();
    // Whether a thumbnail dragged from row from may be dropped on row to.
    bool CanDrop(int from, int to) const;

signals:
    void ScreenChosen();
    void CopyRequested();
    void PasteRequested();

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    int DraggedRow(const QMimeData *mime) const;
    void ClearDropHighlights();

    CEditController &m_controller;
    CThumbListModel *m_model;
    bool m_programSelection = false;
};
