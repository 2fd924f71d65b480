#include "editor/ui/ThumbListModel.h"

#include "editor/EditController.h"
#include "model/CorvPage.h"

#include <QMimeData>

CThumbListModel::CThumbListModel(CEditController &controller, QObject *parent)
    : QAbstractListModel(parent), m_controller(controller)
{
}

int CThumbListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_controller.Thumbs().GetItemCount();
}

QVariant CThumbListModel::data(const QModelIndex &index, int role) const
{
    CThumbStrip &strip = m_controller.Thumbs();
    if (!index.isValid() || index.row() >= strip.GetItemCount())
        return {};
    const CThumbStrip::Thumb &thumb = strip.GetItem(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return thumb.text;
    case Qt::DecorationRole:
        return thumb.screen ? strip.SmallImage(thumb.image, *thumb.screen) : QImage();
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
        return thumb.screen ? thumb.screen->GetTitle() : QString();
    default:
        return {};
    }
}

Qt::ItemFlags CThumbListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

QStringList CThumbListModel::mimeTypes() const { return {QString::fromLatin1(kMimeType)}; }

QMimeData *CThumbListModel::mimeData(const QModelIndexList &indexes) const
{
    if (indexes.isEmpty())
        return nullptr;
    auto *mime = new QMimeData;
    mime->setData(QString::fromLatin1(kMimeType), QByteArray::number(indexes.first().row()));
    return mime;
}

void CThumbListModel::Reset()
{
    beginResetModel();
    endResetModel();
}

void CThumbListModel::ImageChanged(int row)
{
    if (row >= 0 && row < rowCount())
        emit dataChanged(index(row), index(row), {Qt::DecorationRole});
}
