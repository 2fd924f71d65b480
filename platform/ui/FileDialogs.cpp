#include "platform/ui/FileDialogs.h"

#include <QFileDialog>

namespace {

class CNativeFileDialogs : public CFileDialogs
{
public:
    QString GetOpenFileName(QWidget *parent, const QString &caption, const QString &folder,
                            const QString &filter) override
    {
        return QFileDialog::getOpenFileName(parent, caption, folder, filter);
    }
    QString GetSaveFileName(QWidget *parent, const QString &caption, const QString &path,
                            const QString &filter) override
    {
        return QFileDialog::getSaveFileName(parent, caption, path, filter);
    }
    QString GetExistingDirectory(QWidget *parent, const QString &caption, const QString &folder) override
    {
        return QFileDialog::getExistingDirectory(parent, caption, folder, QFileDialog::ShowDirsOnly);
    }
};

} // namespace

CFileDialogs &CFileDialogs::Native()
{
    static CNativeFileDialogs dialogs;
    return dialogs;
}
