#include "dialogs/PictureDialogValues.h"

#include "image/xImage.h"
#include "model/GlobalHelpers.h"
#include "platform/PathUtil.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

CDialogCheck SPictureFileValues::Check() const { return CheckPictureFile(path); }

CDialogCheck CheckPictureFile(const QString &path)
{
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty())
        return CDialogCheck::Fail(PictureDialogText::kChoosePicture, SPictureFileValues::kPathControl);
    const QString onDisk = CorvPath::ResolveNoCase(CorvPath::ToSlashes(trimmed));
    CxImage image;
    if (QFileInfo(onDisk).isFile() &&
        image.Load(std::filesystem::path(QFile::encodeName(onDisk).toStdString()),
                   uint32_t(GetImageFormatFromExt(onDisk))) &&
        image.IsValid() && image.GetWidth() > 0 && image.GetHeight() > 0)
        return {};
    QString message = PictureDialogText::kUnreadablePicture.arg(trimmed);
    const QString reason = QString::fromLocal8Bit(image.GetErrorText()).trimmed();
    if (!reason.isEmpty())
        message += u'\n' + reason;
    return CDialogCheck::Fail(message, SPictureFileValues::kPathControl);
}

CCategoryPriorityLists::CCategoryPriorityLists(const QStringList &available, const QStringList &selected)
    : m_available(available), m_selected(selected)
{
    SortAvailable();
}

void CCategoryPriorityLists::SortAvailable()
{
    // As a sorted list box keeps its entries: without regard to case.
    std::stable_sort(m_available.begin(), m_available.end(),
                     [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
}

int CCategoryPriorityLists::Add(int availableRow)
{
    if (availableRow < 0 || availableRow >= m_available.size())
        return -1;
    m_selected.append(m_available.takeAt(availableRow));
    return int(m_selected.size()) - 1;
}

int CCategoryPriorityLists::Remove(int selectedRow)
{
    if (selectedRow < 0 || selectedRow >= m_selected.size())
        return -1;
    const QString entry = m_selected.takeAt(selectedRow);
    m_available.append(entry);
    SortAvailable();
    return int(m_available.indexOf(entry));
}

bool CCategoryPriorityLists::MoveUp(int selectedRow)
{
    if (selectedRow <= 0 || selectedRow >= m_selected.size())
        return false;
    m_selected.swapItemsAt(selectedRow, selectedRow - 1);
    return true;
}

bool CCategoryPriorityLists::MoveDown(int selectedRow)
{
    if (selectedRow < 0 || selectedRow >= m_selected.size() - 1)
        return false;
    m_selected.swapItemsAt(selectedRow, selectedRow + 1);
    return true;
}
