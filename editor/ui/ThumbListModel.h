#pragma once

#include <QAbstractListModel>

class CEditController;

// The thumbnail strip as the list view sees it: caption, picture (drawn when first shown) and the screen's
// place for drags.
class CThumbListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    static constexpr const char *kMimeType = "application/x-corvessa-thumbnail";

    explicit CThumbListModel(CEditController &controller, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }

    // The strip changed as a whole / one picture changed.
    void Reset();
    void ImageChanged(int row);

private:
    CEditController &m_controller;
};
