#include "app/ui/AboutDlg.h"

#include "app/ui/ToolbarArt.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(const QString &versionText, QWidget *parent) : QDialog(parent), m_version(new QLabel(this))
{
    setWindowTitle(QStringLiteral("About Corvessa"));
    auto *picture = new QLabel(this);
    picture->setPixmap(QPixmap::fromImage(CorvToolbarArt::AboutPicture()));
    m_version->setObjectName(QStringLiteral("VersionText"));
    m_version->setText(VersionLine(versionText, QStringLiteral(__TIME__)));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *row = new QHBoxLayout;
    row->addWidget(picture);
    auto *texts = new QVBoxLayout;
    texts->addWidget(new QLabel(QStringLiteral("Corvessa"), this));
    texts->addWidget(m_version);
    row->addLayout(texts, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

QString CAboutDlg::VersionLine(const QString &versionText, const QString &buildTime)
{
    return QStringLiteral("Version %1 (%2)").arg(versionText, QString(buildTime).remove(u':'));
}
