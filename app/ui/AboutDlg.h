#pragma once

#include <QDialog>

class QLabel;

// The About box: the program's picture, its version and the time of day it was built.
class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    CAboutDlg(const QString &versionText, QWidget *parent = nullptr);

    QLabel *VersionLabel() const { return m_version; }
    // "Version <version> (<build time of day as six digits>)".
    static QString VersionLine(const QString &versionText, const QString &buildTime);

private:
    QLabel *m_version;
};
