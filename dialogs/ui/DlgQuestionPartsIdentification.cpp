#include "dialogs/ui/DlgQuestionPartsIdentification.h"

#include "app/ui/controls/ColorSelectButton.h"
#include "dialogs/ui/PartTargetsView.h"
#include "image/xImage.h"
#include "model/GlobalHelpers.h"
#include "model/PictureFiles.h"
#include "platform/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CDlgQuestionPartsIdentification::CDlgQuestionPartsIdentification(QWidget *parent) : CValueDialog(parent)
{
    setObjectName(QStringLiteral("DlgQuestionPartsIdentification"));
    setWindowTitle(QStringLiteral("Part identification"));
    values.targets = CPartIdentificationValues::DefaultTargets();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Use the mouse to move and resize the rectangle onto the correct location on the image"), this));
    m_area = new CPartTargetsView(this);
    layout->addWidget(m_area, 0, Qt::AlignLeft);

    auto *row = new QHBoxLayout;
    m_file = SingleLine(QStringLiteral("PictureFile"), QStringLiteral("Import image:"));
    m_browse = new QPushButton(QStringLiteral("Browse..."), this);
    m_browse->setObjectName(QStringLiteral("Browse"));
    m_browse->setAccessibleName(QStringLiteral("Browse for the image"));
    row->addWidget(Label(QStringLiteral("Import image:"), m_file));
    row->addWidget(m_file, 1);
    row->addWidget(m_browse);
    layout->addLayout(row);

    auto *grid = new QGridLayout;
    m_targets = new QComboBox(this);
    m_targets->setObjectName(QStringLiteral("Targets"));
    m_targets->setAccessibleName(QStringLiteral("Targets"));
    m_toMatch = new QComboBox(this);
    m_toMatch->setObjectName(QStringLiteral("TargetsToMatch"));
    m_toMatch->setAccessibleName(QStringLiteral("Number of targets to match"));
    m_toMatch->addItem(QStringLiteral("All"));
    for (int i = 1; i <= CPartIdentificationValues::kMaxTargets; ++i) {
        m_targets->addItem(QString::number(i));
        m_toMatch->addItem(QString::number(i));
    }
    m_reduce = new QCheckBox(QStringLiteral("Reduce image size to fit the area"), this);
    m_reduce->setObjectName(QStringLiteral("ReduceToFit"));
    m_reduce->setToolTip(CStringTable::Load(1612));
    m_highlight = new CColorSelectButton(this);
    m_highlight->setObjectName(QStringLiteral("Highlight"));
    m_highlight->setAccessibleName(QStringLiteral("Highlight"));
    grid->addWidget(Label(QStringLiteral("Targets"), m_targets), 0, 0);
    grid->addWidget(m_targets, 0, 1);
    grid->addWidget(Label(QStringLiteral("Number of targets to match"), m_toMatch), 0, 2);
    grid->addWidget(m_toMatch, 0, 3);
    grid->addWidget(Label(QStringLiteral("Highlight"), m_highlight), 0, 4);
    grid->addWidget(m_highlight, 0, 5);
    grid->addWidget(m_reduce, 0, 6);
    layout->addLayout(grid);

    const QString questionLabel = QStringLiteral("Question text (including student instruction)");
    m_question = MultiLine(QStringLiteral("QuestionText"), questionLabel, 2);
    layout->addWidget(Label(questionLabel, m_question));
    layout->addWidget(m_question);
    AddFeedbackBoxes(layout, m_correct, m_wrong, true);
    layout->addWidget(OkCancel());

    connect(m_browse, &QPushButton::clicked, this, &CDlgQuestionPartsIdentification::OnBrowse);
    connect(m_targets, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            m_area->SetPartCount(index + 1);
    });
    connect(m_reduce, &QCheckBox::toggled, this, [this](bool on) { m_area->SetScalingAllowed(on); });
}

QImage CDlgQuestionPartsIdentification::LoadPicture(const QString &file)
{
    CxImage picture;
    if (file.trimmed().isEmpty() || !PictureFiles::Load(picture, file, GetImageFormatFromExt(file)) || !picture.IsValid())
        return {};
    return PictureFiles::ToDisplayImage(picture);
}

int CDlgQuestionPartsIdentification::exec()
{
    // The picture area keeps its layout whatever the course's direction: only the text boxes follow it.
    ShowValues();
    const Qt::LayoutDirection direction = rtlLayout ? Qt::RightToLeft : Qt::LeftToRight;
    for (QPlainTextEdit *box : {m_question, m_correct, m_wrong})
        box->setLayoutDirection(direction);
    return QDialog::exec();
}

void CDlgQuestionPartsIdentification::ShowValues()
{
    m_question->setPlainText(values.questionText);
    m_file->setText(values.imageFile);
    m_correct->setPlainText(values.correctFeedback);
    m_wrong->setPlainText(values.wrongFeedback);
    m_reduce->setChecked(values.reduceToFit != 0);
    m_area->SetScalingAllowed(values.reduceToFit != 0);
    m_highlight->SetColor(values.highlightColor ? values.highlightColor : CPartIdentificationValues::kGreen);
    const QImage picture = LoadPicture(values.imageFile);
    if (!picture.isNull())
        m_area->SetBitmap(picture);
    const int count = std::clamp(values.targetCount, 1, CPartIdentificationValues::kMaxTargets);
    m_targets->setCurrentIndex(count - 1);
    m_area->SetPartCount(count);
    m_toMatch->setCurrentIndex(std::clamp(values.targetsToMatch, 0, CPartIdentificationValues::kMaxTargets));
    for (int i = 0; i < count; ++i)
        m_area->SetPartRect(i, values.targets[size_t(i)]);
}

void CDlgQuestionPartsIdentification::OnBrowse()
{
    const QString chosen = BrowseFile(m_file->text().trimmed(), 61460);
    if (chosen.isEmpty())
        return;
    const QImage picture = LoadPicture(chosen);
    if (!picture.isNull()) {
        m_area->SetScalingAllowed(m_reduce->isChecked());
        m_area->SetBitmap(picture);
    }
    // The path is kept even when the picture does not load; OK then says so.
    m_file->setText(chosen);
}

void CDlgQuestionPartsIdentification::accept()
{
    CPartIdentificationValues read = values;
    read.questionText = m_question->toPlainText();
    read.imageFile = m_file->text();
    read.correctFeedback = m_correct->toPlainText();
    read.wrongFeedback = m_wrong->toPlainText();
    read.reduceToFit = m_reduce->isChecked() ? 1 : 0;
    read.highlightColor = m_highlight->GetColor();
    const CDialogCheck check = read.Check([](const QString &file) { return !LoadPicture(file).isNull(); });
    if (!Passed(check))
        return;
    // The stored path without trailing blanks.
    while (!read.imageFile.isEmpty() && read.imageFile.back().isSpace())
        read.imageFile.chop(1);
    read.targetCount = m_targets->currentIndex() + 1;
    read.targetsToMatch = m_toMatch->currentIndex();
    read.targetsToMatch = read.ResolvedTargetsToMatch();
    m_area->ResetScrollPosition();
    for (int i = 0; i < read.targetCount; ++i)
        read.targets[size_t(i)] = m_area->GetPartRect(i);
    values = read;
    CValueDialog::accept();
}
