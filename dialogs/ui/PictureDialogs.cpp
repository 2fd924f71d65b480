#include "dialogs/ui/PictureDialogs.h"

#include "app/ui/controls/ImageStatic.h"
#include "image/xImage.h"
#include "model/GlobalHelpers.h"
#include "model/PictureFiles.h"
#include "platform/StringTable.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int kPreviewSide = 160;
const char *const kSizeTexts[3] = {"Small", "Medium", "Large"};
} // namespace

// ---- Picture file ----

CDlgPictureFile::CDlgPictureFile(const QString &objectName, const QString &caption, bool withPictureValues,
                                 bool checkPicture, QWidget *parent)
    : CValueDialog(parent), m_withPictureValues(withPictureValues), m_checkPicture(checkPicture)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);

    m_path = SingleLine(QStringLiteral("Location"), QStringLiteral("Location:"));
    SetFocusControl(SPictureFileValues::kPathControl, m_path);
    m_browse = new QPushButton(QStringLiteral("..."), this);
    m_browse->setObjectName(QStringLiteral("Browse"));
    m_browse->setAccessibleName(QStringLiteral("Browse for a picture"));
    m_browse->setAutoDefault(false);
    m_browse->setFixedWidth(m_browse->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    connect(m_browse, &QPushButton::clicked, this, &CDlgPictureFile::OnBrowse);
    layout->addWidget(Label(QStringLiteral("Location:"), m_path));
    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(m_browse);
    layout->addLayout(pathRow);

    // The preview is square and fits its picture in the middle.
    m_preview = new CImageStatic(this);
    m_preview->setObjectName(QStringLiteral("Preview"));
    m_preview->setAccessibleName(QStringLiteral("Preview"));
    m_preview->SetStretch(false);
    m_preview->setFixedSize(kPreviewSide, kPreviewSide);
    layout->addWidget(new QLabel(QStringLiteral("Preview"), this));
    layout->addWidget(m_preview, 0, Qt::AlignHCenter);

    if (m_withPictureValues) {
        m_altText = SingleLine(QStringLiteral("AltText"), QStringLiteral("Alternate text:"));
        layout->addWidget(Label(QStringLiteral("Alternate text:"), m_altText));
        layout->addWidget(m_altText);
        // The replace dialog names the radios "Size:", the add dialog "Image size:".
        const bool replacing = objectName == QStringLiteral("DlgUpdateImage");
        layout->addWidget(new QLabel(replacing ? QStringLiteral("Size:") : QStringLiteral("Image size:"), this));
        auto *sizes = new QHBoxLayout;
        for (int i = 0; i < 3; ++i) {
            m_sizes[i] = new QRadioButton(QString::fromLatin1(kSizeTexts[i]), this);
            m_sizes[i]->setObjectName(QString::fromLatin1(kSizeTexts[i]));
            sizes->addWidget(m_sizes[i]);
        }
        sizes->addStretch(1);
        layout->addLayout(sizes);
    }
    layout->addWidget(OkCancel());
    setMinimumWidth(420);
}

QRadioButton *CDlgPictureFile::SizeRadio(int sizeClass) const
{
    return sizeClass >= 0 && sizeClass < 3 ? m_sizes[sizeClass] : nullptr;
}

void CDlgPictureFile::ShowValues()
{
    m_path->setText(values.path);
    if (m_altText)
        m_altText->setText(values.altText);
    // Whatever the picture's size was, the dialog offers the medium preset.
    if (m_sizes[SizeMedium])
        m_sizes[SizeMedium]->setChecked(true);
    ShowPreviewOnOpen();
}

void CDlgPictureFile::ShowPreviewOnOpen()
{
    if (!values.path.isEmpty())
        LoadPreview(values.path);
}

bool CDlgPictureFile::LoadPreview(const QString &path)
{
    CxImage picture;
    if (!PictureFiles::Load(picture, path, GetImageFormatFromExt(path)))
        return false;
    const QImage shown = PictureFiles::ToDisplayImage(picture);
    if (shown.isNull())
        return false;
    m_preview->SetBitmap(shown);
    return true;
}

void CDlgPictureFile::OnBrowse()
{
    const QString chosen = BrowseFile(m_path->text(), SPictureFileValues::kFilterId);
    if (chosen.isEmpty())
        return;
    m_path->setText(chosen);
    LoadPreview(chosen);
}

void CDlgPictureFile::accept()
{
    SPictureFileValues read = values;
    read.path = m_path->text().trimmed();
    if (m_altText)
        read.altText = m_altText->text();
    if (m_withPictureValues) {
        read.sizeClass = SizeMedium;
        for (int i = 0; i < 3; ++i)
            if (m_sizes[i]->isChecked())
                read.sizeClass = i;
    }
    if (m_checkPicture && !Passed(read.Check()))
        return;
    values = read;
    QDialog::accept();
}

CDlgInsertImage::CDlgInsertImage(QWidget *parent)
    : CDlgPictureFile(QStringLiteral("DlgInsertImage"), QStringLiteral("Add graphic from file"), true, true, parent)
{
}

CDlgUpdateImage::CDlgUpdateImage(QWidget *parent)
    : CDlgPictureFile(QStringLiteral("DlgUpdateImage"), QStringLiteral("Replace graphic from file"), true, true,
                      parent)
{
}

CDlgUpdateGraphicFromFile1::CDlgUpdateGraphicFromFile1(QWidget *parent)
    : CDlgPictureFile(QStringLiteral("DlgUpdateGraphicFromFile1"), QStringLiteral("Replace graphic from file"),
                      false, false, parent)
{
}

// ---- One text ----

CDlgPictureText::CDlgPictureText(const QString &objectName, const QString &caption, const QString &label,
                                 QWidget *parent)
    : CValueDialog(parent)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);
    m_text = SingleLine(QStringLiteral("Text"), caption);
    layout->addWidget(Label(label, m_text));
    layout->addWidget(m_text);
    layout->addWidget(OkCancel());
    setMinimumWidth(380);
}

void CDlgPictureText::ShowValues() { m_text->setText(text); }

void CDlgPictureText::accept()
{
    text = m_text->text();
    QDialog::accept();
}

CDlgAltText::CDlgAltText(QWidget *parent)
    : CDlgPictureText(QStringLiteral("DlgAltText"), QStringLiteral("Alt text"),
                      QStringLiteral("Edit the Alt(ernate) text for the graphic:"), parent)
{
}

CDlgKeywords::CDlgKeywords(QWidget *parent)
    : CDlgPictureText(QStringLiteral("DlgKeywords"), QStringLiteral("Keywords"),
                      QStringLiteral("Enter a keyword and click Update to change the graphic"), parent)
{
    m_update = new QPushButton(QStringLiteral("Update"), this);
    m_update->setObjectName(QStringLiteral("Update"));
    m_update->setAutoDefault(false);
    connect(m_update, &QPushButton::clicked, this, &CDlgKeywords::accept);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(m_update);
    static_cast<QVBoxLayout *>(layout())->insertLayout(2, row);
}

// ---- Set priorities ----

CDlgSetCategoriesPriority::CDlgSetCategoriesPriority(QWidget *parent) : CValueDialog(parent)
{
    setObjectName(QStringLiteral("DlgSetCategoriesPriority"));
    setWindowTitle(QStringLiteral("Set priorities"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(CStringTable::Load(15001), this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto button = [this](int textId, const char *name) {
        auto *b = new QPushButton(CStringTable::Load(textId), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    m_available = new QListWidget(this);
    m_available->setObjectName(QStringLiteral("AvailableCategories"));
    m_available->setAccessibleName(CStringTable::Load(15002));
    m_selected = new QListWidget(this);
    m_selected->setObjectName(QStringLiteral("SelectedCategories"));
    m_selected->setAccessibleName(CStringTable::Load(15003));
    m_add = button(15004, "Add");
    m_remove = button(15005, "Remove");
    m_up = button(15006, "MoveUp");
    m_down = button(15007, "MoveDown");

    auto *grid = new QGridLayout;
    grid->addWidget(Label(CStringTable::Load(15002), m_available), 0, 0);
    grid->addWidget(Label(CStringTable::Load(15003), m_selected), 0, 2);
    grid->addWidget(m_available, 1, 0);
    auto *middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(m_add);
    middle->addWidget(m_remove);
    middle->addStretch(1);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(m_selected, 1, 2);
    auto *order = new QHBoxLayout;
    order->addWidget(m_up);
    order->addWidget(m_down);
    grid->addLayout(order, 2, 2);
    layout->addLayout(grid);
    layout->addWidget(OkCancel());

    connect(m_add, &QPushButton::clicked, this, &CDlgSetCategoriesPriority::OnAdd);
    connect(m_remove, &QPushButton::clicked, this, &CDlgSetCategoriesPriority::OnRemove);
    connect(m_up, &QPushButton::clicked, this, &CDlgSetCategoriesPriority::OnMoveUp);
    connect(m_down, &QPushButton::clicked, this, &CDlgSetCategoriesPriority::OnMoveDown);
    connect(m_available, &QListWidget::itemDoubleClicked, this, &CDlgSetCategoriesPriority::OnAdd);
    connect(m_selected, &QListWidget::itemDoubleClicked, this, &CDlgSetCategoriesPriority::OnRemove);
    setMinimumWidth(520);
}

void CDlgSetCategoriesPriority::ShowValues()
{
    m_lists = CCategoryPriorityLists(available, selected);
    Show(-1, -1);
}

void CDlgSetCategoriesPriority::Show(int availableRow, int selectedRow)
{
    m_available->clear();
    m_available->addItems(m_lists.Available());
    m_selected->clear();
    m_selected->addItems(m_lists.Selected());
    if (availableRow >= 0)
        m_available->setCurrentRow(availableRow);
    if (selectedRow >= 0)
        m_selected->setCurrentRow(selectedRow);
}

void CDlgSetCategoriesPriority::OnAdd()
{
    const int row = m_available->currentRow();
    const int added = m_lists.Add(row);
    if (added < 0)
        return;
    Show(std::min(row, int(m_lists.Available().size()) - 1), added);
}

void CDlgSetCategoriesPriority::OnRemove()
{
    const int row = m_selected->currentRow();
    const int removed = m_lists.Remove(row);
    if (removed < 0)
        return;
    Show(removed, std::min(row, int(m_lists.Selected().size()) - 1));
}

void CDlgSetCategoriesPriority::OnMoveUp()
{
    const int row = m_selected->currentRow();
    if (m_lists.MoveUp(row))
        Show(m_available->currentRow(), row - 1);
}

void CDlgSetCategoriesPriority::OnMoveDown()
{
    const int row = m_selected->currentRow();
    if (m_lists.MoveDown(row))
        Show(m_available->currentRow(), row + 1);
}

void CDlgSetCategoriesPriority::accept()
{
    available = m_lists.Available();
    selected = m_lists.Selected();
    QDialog::accept();
}

bool CDlgSetCategoriesPriority::Run(QStringList &availableList, QStringList &prioritised, QWidget *parent)
{
    CDlgSetCategoriesPriority dialog(parent);
    dialog.available = availableList;
    dialog.selected = prioritised;
    if (dialog.exec() != QDialog::Accepted)
        return false;
    availableList = dialog.available;
    prioritised = dialog.selected;
    return true;
}
