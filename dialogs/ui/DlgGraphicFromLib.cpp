#include "dialogs/ui/DlgGraphicFromLib.h"

#include "model/GlobalHelpers.h"
#include "platform/CorvContext.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "platform/ui/RowLayout.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace CorvRows;

namespace {

constexpr int kLoadFailedString = 57347;
const QString kIndexName = QStringLiteral("images.xml");

bool IsEnter(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Buttons never take Enter for themselves: Enter searches in a keyword box, confirms in the result list
// and does nothing anywhere else.
QPushButton *PlainButton(const QString &text, const QString &name, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

QImage CDlgGraphicFromLib::BorderSample(int bevelled)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(QColor(112, 160, 208));
    QPainter painter(&image);
    painter.fillRect(QRect(0, 18, 40, 12), QColor(96, 160, 80));
    if (!bevelled) {
        painter.setPen(QPen(Qt::black, 2));
        painter.drawRect(QRectF(1, 1, 38, 28));
        return image;
    }
    // Light bands at the top and left, dark ones at the bottom and right.
    painter.fillRect(QRect(0, 0, 40, 3), QColor(255, 255, 255, 150));
    painter.fillRect(QRect(0, 3, 3, 27), QColor(255, 255, 255, 150));
    painter.fillRect(QRect(0, 27, 40, 3), QColor(0, 0, 0, 120));
    painter.fillRect(QRect(37, 0, 3, 27), QColor(0, 0, 0, 120));
    return image;
}

CDlgGraphicFromLib::CDlgGraphicFromLib(const CCorvContext &context, bool replace, QWidget *parent)
    : CValueDialog(parent), m_context(context),
      m_limit(replace ? LibraryPicker::kReplaceLimit : LibraryPicker::kInsertLimit)
{
    setObjectName(replace ? QStringLiteral("DlgUpdateGraphicFromLib") : QStringLiteral("DlgInsertGraphicFromLib"));
    setWindowTitle(replace ? QStringLiteral("Replace graphic from library") : QStringLiteral("Add graphic from library"));
    auto *layout = new QVBoxLayout(this);

    BuildSearchRows(layout);
    BuildResults(layout);
    BuildChoices(layout);
    QPushButton *cancel = BuildButtons(layout, replace);

    connect(m_search, &QPushButton::clicked, this, &CDlgGraphicFromLib::Search);
    connect(m_border, &QCheckBox::clicked, this, &CDlgGraphicFromLib::ShowBorderChoice);
    connect(m_results, &QListWidget::itemSelectionChanged, this, [this] {
        // Choosing a row with the keys enables the button as a click does.
        if (!m_results->selectedItems().isEmpty())
            m_confirm->setEnabled(true);
    });
    connect(m_confirm, &QPushButton::clicked, this, &CDlgGraphicFromLib::accept);
    connect(cancel, &QPushButton::clicked, this, &CDlgGraphicFromLib::reject);

    // The dialog opens without an index too; its searches then list nothing.
    if (!m_context.graphicsLibraryIndex)
        m_context.Prompt().Error(CStringTable::Load(kLoadFailedString) + kIndexName);
    ShowValues();
}

// The keywords with the Search button, the kinds of picture, the category.
void CDlgGraphicFromLib::BuildSearchRows(QVBoxLayout *layout)
{
    auto *keywordRow = new QHBoxLayout;
    keywordRow->addWidget(new QLabel(QStringLiteral("Keywords:"), this));
    for (int i = 0; i < 3; ++i) {
        const QString number = QStringLiteral("%1.").arg(i + 1);
        QLineEdit *box = SingleLine(QStringLiteral("Keyword%1").arg(i + 1), QStringLiteral("Keyword %1").arg(i + 1));
        box->installEventFilter(this);
        keywordRow->addWidget(Label(number, box));
        keywordRow->addWidget(box);
        m_keywords[size_t(i)] = box;
    }
    m_search = PlainButton(QStringLiteral("&Search"), QStringLiteral("Search"), this);
    keywordRow->addWidget(m_search);
    layout->addLayout(keywordRow);

    auto *kindRow = new QHBoxLayout;
    kindRow->addWidget(new QLabel(QStringLiteral("Graphic type(s) to include:"), this));
    const char *const kinds[][2] = {{"Color photos", "ColourPhotos"},
                                    {"B/W photos", "BwPhotos"},
                                    {"Photo objects", "PhotoObjects"},
                                    {"Clip art", "ClipArt"}};
    for (int i = 0; i < 4; ++i) {
        auto *box = new QCheckBox(QString::fromLatin1(kinds[i][0]), this);
        box->setObjectName(QString::fromLatin1(kinds[i][1]));
        kindRow->addWidget(box);
        m_kinds[size_t(i)] = box;
    }
    kindRow->addStretch();
    layout->addLayout(kindRow);

    m_category = new QComboBox(this);
    m_category->setObjectName(QStringLiteral("Category"));
    m_category->setAccessibleName(QStringLiteral("Category"));
    for (int id = LibraryPicker::kFirstCategoryString; id <= LibraryPicker::kAllCategoriesString; ++id)
        m_category->addItem(CStringTable::Load(id));
    layout->addLayout(Row({Label(QStringLiteral("Category:"), m_category), {m_category, 1}}));
}

// The found pictures and their count.
void CDlgGraphicFromLib::BuildResults(QVBoxLayout *layout)
{
    m_results = new QListWidget(this);
    m_results->setObjectName(QStringLiteral("SearchResult"));
    m_results->setAccessibleName(QStringLiteral("Search Result"));
    m_results->setViewMode(QListView::IconMode);
    m_results->setIconSize(QSize(LibraryPicker::kThumbnailSize, LibraryPicker::kThumbnailSize));
    m_results->setResizeMode(QListView::Adjust);
    m_results->setMovement(QListView::Static);
    m_results->setUniformItemSizes(true);
    m_results->setSelectionMode(QAbstractItemView::SingleSelection);
    m_results->setMinimumSize(560, 260);
    m_results->installEventFilter(this);
    m_results->viewport()->installEventFilter(this);
    m_count = new QLineEdit(this);
    m_count->setObjectName(QStringLiteral("ResultCount"));
    m_count->setAccessibleName(QStringLiteral("Number of results"));
    m_count->setReadOnly(true);
    m_count->setMaximumWidth(60);
    layout->addLayout(Row({Label(QStringLiteral("Search Result:"), m_results), Stretch(), m_count}));
    layout->addWidget(m_results, 1);
}

// The border and its style beside the picture's size.
void CDlgGraphicFromLib::BuildChoices(QVBoxLayout *layout)
{
    auto *borderColumn = new QGridLayout;
    m_border = new QCheckBox(QStringLiteral("Add a border to JPG Images"), this);
    m_border->setObjectName(QStringLiteral("AddBorder"));
    borderColumn->addWidget(m_border, 0, 0, 1, 4);
    auto *styles = new QButtonGroup(this);
    m_black = new QRadioButton(QStringLiteral("Black"), this);
    m_black->setObjectName(QStringLiteral("BorderBlack"));
    m_bevelled = new QRadioButton(QStringLiteral("Bevelled"), this);
    m_bevelled->setObjectName(QStringLiteral("BorderBevelled"));
    for (int style = 0; style < 2; ++style) {
        QRadioButton *radio = style ? m_bevelled : m_black;
        styles->addButton(radio, style);
        auto *sample = new QLabel(this);
        sample->setPixmap(QPixmap::fromImage(BorderSample(style)));
        borderColumn->addWidget(radio, 1, style * 2);
        borderColumn->addWidget(sample, 1, style * 2 + 1);
    }
    auto *sizeGroup = new QGroupBox(QStringLiteral("Image size"), this);
    sizeGroup->setObjectName(QStringLiteral("ImageSize"));
    auto *sizeRow = new QHBoxLayout(sizeGroup);
    auto *sizes = new QButtonGroup(this);
    const char *const sizeNames[] = {"Small", "Medium", "Large"};
    for (int i = 0; i < 3; ++i) {
        auto *radio = new QRadioButton(QString::fromLatin1(sizeNames[i]), sizeGroup);
        radio->setObjectName(QStringLiteral("Size") + QString::fromLatin1(sizeNames[i]));
        sizes->addButton(radio, i);
        sizeRow->addWidget(radio);
        m_sizes[size_t(i)] = radio;
    }
    layout->addLayout(Row({borderColumn, Stretch(), sizeGroup}));
}

// Insert (or Update) and Cancel; returns Cancel.
QPushButton *CDlgGraphicFromLib::BuildButtons(QVBoxLayout *layout, bool replace)
{
    m_confirm = PlainButton(replace ? QStringLiteral("&Update") : QStringLiteral("&Insert"),
                            replace ? QStringLiteral("Update") : QStringLiteral("Insert"), this);
    QPushButton *cancel = PlainButton(QStringLiteral("&Cancel"), QStringLiteral("Cancel"), this);
    layout->addLayout(Row({Stretch(), m_confirm, cancel}));
    return cancel;
}

void CDlgGraphicFromLib::ShowValues()
{
    for (int i = 0; i < 3; ++i)
        m_keywords[size_t(i)]->setText(values.keywords[size_t(i)]);
    const int use[] = {values.kinds.colourPhotos, values.kinds.bwPhotos, values.kinds.photoObjects, values.kinds.clipArt};
    for (int i = 0; i < 4; ++i)
        m_kinds[size_t(i)]->setChecked(use[i] != 0);
    const int category = m_category->findText(values.category);
    m_category->setCurrentIndex(category >= 0 ? category : m_category->count() - 1);
    m_count->setText(QStringLiteral("0"));
    m_border->setChecked(values.border != 0);
    (values.borderStyle == 1 ? m_bevelled : m_black)->setChecked(true);
    m_sizes[size_t(values.size >= 0 && values.size <= 2 ? values.size : 1)]->setChecked(true);
    ShowBorderChoice();
}

void CDlgGraphicFromLib::ReadControls(CLibraryPickerValues &v) const
{
    for (int i = 0; i < 3; ++i)
        v.keywords[size_t(i)] = m_keywords[size_t(i)]->text();
    v.kinds.colourPhotos = m_kinds[0]->isChecked() ? 1 : 0;
    v.kinds.bwPhotos = m_kinds[1]->isChecked() ? 1 : 0;
    v.kinds.photoObjects = m_kinds[2]->isChecked() ? 1 : 0;
    v.kinds.clipArt = m_kinds[3]->isChecked() ? 1 : 0;
    v.category = m_category->currentText();
    v.border = m_border->isChecked() ? 1 : 0;
    v.borderStyle = m_bevelled->isChecked() ? 1 : 0;
    for (int i = 0; i < 3; ++i)
        if (m_sizes[size_t(i)]->isChecked())
            v.size = i;
}

void CDlgGraphicFromLib::ShowBorderChoice()
{
    ReadControls(values);
    m_black->setEnabled(m_border->isChecked());
    m_bevelled->setEnabled(m_border->isChecked());
}

void CDlgGraphicFromLib::ShowSelection() { m_confirm->setEnabled(!m_results->selectedItems().isEmpty()); }

void CDlgGraphicFromLib::Search()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ReadControls(values);
    m_count->setText(QStringLiteral("0"));
    m_results->clear();
    const QStringList words = values.TakeSearchWords();
    if (!words.isEmpty()) {
        // One repaint when the rows are in, however many there are.
        m_results->setUpdatesEnabled(false);
        int rows = 0;
        LibraryPicker::Search(m_context.graphicsLibraryIndex, words, values.CategoryCondition(), values.kinds, m_limit,
                              [&](const QString &file) {
                                  const QImage thumbnail = LibraryPicker::MakeLibraryThumbnail(m_context, file);
                                  if (thumbnail.isNull())
                                      return false;
                                  QPixmap icon = QPixmap::fromImage(thumbnail);
                                  // The black around the picture is see-through.
                                  icon.setMask(icon.createMaskFromColor(Qt::black));
                                  m_results->addItem(new QListWidgetItem(QIcon(icon), file));
                                  m_count->setText(QString::number(++rows));
                                  return true;
                              });
        m_results->setUpdatesEnabled(true);
    }
    QApplication::restoreOverrideCursor();
}

void CDlgGraphicFromLib::accept()
{
    const QList<QListWidgetItem *> selected = m_results->selectedItems();
    CLibraryPickerValues read = values;
    if (!Passed(read.Confirm(selected.isEmpty() ? QString() : selected.front()->text())))
        return;
    // The alternative text was made of the keywords as the last search read them; the rest as shown.
    const CLibraryPickerValues confirmed = read;
    ReadControls(read);
    read.fileName = confirmed.fileName;
    read.altText = confirmed.altText;
    values = read;
    CValueDialog::accept();
}

bool CDlgGraphicFromLib::eventFilter(QObject *watched, QEvent *event)
{
    if (IsEnter(event)) {
        for (QLineEdit *box : m_keywords)
            if (watched == box) {
                Search();
                return true;
            }
        if (watched == m_results) {
            if (!m_results->selectedItems().isEmpty())
                accept();
            return true;
        }
    }
    if (watched == m_results->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const bool handled = CValueDialog::eventFilter(watched, event);
        ShowSelection();
        return handled;
    }
    return CValueDialog::eventFilter(watched, event);
}

std::optional<SLibraryPicture> PickGraphicFromLibrary(QWidget *parent, const CCorvContext &context, bool replace)
{
    std::unique_ptr<CDlgGraphicFromLib> dialog;
    if (replace)
        dialog = std::make_unique<CDlgUpdateGraphicFromLib>(context, parent);
    else
        dialog = std::make_unique<CDlgInsertGraphicFromLib>(context, parent);
    dialog->prompt = &context.Prompt();
    if (dialog->exec() != QDialog::Accepted)
        return std::nullopt;
    SLibraryPicture picture;
    picture.fileName = dialog->values.fileName;
    // A name the library's folders do not hold changes nothing.
    if (!FindLibraryImage(context, picture.fileName, picture.path))
        return std::nullopt;
    picture.altText = dialog->values.altText;
    picture.size = dialog->values.size;
    picture.border = dialog->values.border;
    picture.borderStyle = dialog->values.borderStyle;
    return picture;
}
