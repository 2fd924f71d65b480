#include "dialogs/ui/DlgImportNewDocument.h"


#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CDlgImportNewDocument::CDlgImportNewDocument(QWidget *parent) : CValueDialog(parent)
{
    setObjectName(QStringLiteral("DlgImportNewDocument"));
    setWindowTitle(QStringLiteral("Import new document"));
    auto *layout = new QVBoxLayout(this);
    m_path = SingleLine(QStringLiteral("DocumentPath"), QStringLiteral("Import Document:"));
    m_browse = new QPushButton(QStringLiteral("Browse..."), this);
    m_browse->setObjectName(QStringLiteral("Browse"));
    m_browse->setAccessibleName(QStringLiteral("Browse for the document"));
    layout->addWidget(Label(QStringLiteral("Import Document:"), m_path));
    auto *row = new QHBoxLayout;
    row->addWidget(m_path, 1);
    row->addWidget(m_browse);
    layout->addLayout(row);
    m_glossary = new QCheckBox(QStringLiteral("Import to Glossary only"), this);
    m_glossary->setObjectName(QStringLiteral("GlossaryOnly"));
    m_createTopic = new QCheckBox(QStringLiteral("Create a new topic"), this);
    m_createTopic->setObjectName(QStringLiteral("CreateTopic"));
    layout->addWidget(m_glossary);
    layout->addWidget(m_createTopic);
    auto *grid = new QGridLayout;
    m_title = SingleLine(QStringLiteral("TopicTitle"), QStringLiteral("New topic title:"));
    m_banner = SingleLine(QStringLiteral("BannerName"), QStringLiteral("Banner name:"));
    m_titleLabel = Label(QStringLiteral("New topic title:"), m_title);
    m_bannerLabel = Label(QStringLiteral("Banner name:"), m_banner);
    grid->addWidget(m_titleLabel, 0, 0);
    grid->addWidget(m_title, 0, 1);
    grid->addWidget(m_bannerLabel, 1, 0);
    grid->addWidget(m_banner, 1, 1);
    layout->addLayout(grid);
    QDialogButtonBox *buttons = OkCancel();
    m_ok = buttons->button(QDialogButtonBox::Ok);
    layout->addWidget(buttons);
    connect(m_browse, &QPushButton::clicked, this, &CDlgImportNewDocument::OnBrowse);
    connect(m_createTopic, &QCheckBox::toggled, this, [this] { UpdateControls(); });
    connect(m_glossary, &QCheckBox::toggled, this, [this] { UpdateControls(); });
    resize(520, 0);
}

void CDlgImportNewDocument::Read(CImportNewDocumentValues &v) const
{
    v.path = m_path->text();
    v.glossaryOnly = m_glossary->isChecked() ? 1 : 0;
    v.createTopic = m_createTopic->isChecked() ? 1 : 0;
    v.topicTitle = m_title->text();
    v.bannerName = m_banner->text();
}

void CDlgImportNewDocument::UpdateControls()
{
    CImportNewDocumentValues v = values;
    Read(v);
    m_createTopic->setEnabled(v.CreateTopicEnabled());
    const bool topic = v.TopicFieldsEnabled();
    for (QWidget *w : std::initializer_list<QWidget *>{m_titleLabel, m_title, m_bannerLabel, m_banner})
        w->setEnabled(topic);
    m_ok->setEnabled(v.OkEnabled());
}

void CDlgImportNewDocument::ShowValues()
{
    const QSignalBlocker a(m_glossary), b(m_createTopic);
    m_path->setText(values.path);
    m_glossary->setChecked(values.glossaryOnly != 0);
    m_createTopic->setChecked(values.createTopic != 0 && values.CreateTopicEnabled());
    m_title->setText(values.topicTitle);
    m_banner->setText(values.bannerName);
    UpdateControls();
}

void CDlgImportNewDocument::OnBrowse()
{
    const QString chosen = BrowseFile(m_path->text(), 61456);
    if (!chosen.isEmpty())
        m_path->setText(chosen);
}

void CDlgImportNewDocument::accept()
{
    CImportNewDocumentValues read = values;
    Read(read);
    if (!read.OkEnabled())
        return;
    values = read;
    CValueDialog::accept();
}
