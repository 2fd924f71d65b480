#pragma once

#include <QString>

class QWidget;

// The file and folder pickers of the program. The window side shows the desktop's own dialogs; tests
// answer from a script. An empty result is a cancelled dialog.
class CFileDialogs
{
public:
    virtual ~CFileDialogs() = default;
    virtual QString GetOpenFileName(QWidget *parent, const QString &caption, const QString &folder,
                                    const QString &filter) = 0;
    virtual QString GetSaveFileName(QWidget *parent, const QString &caption, const QString &path,
                                    const QString &filter) = 0;
    virtual QString GetExistingDirectory(QWidget *parent, const QString &caption, const QString &folder) = 0;

    // The desktop's dialogs.
    static CFileDialogs &Native();
};
