#include "dialogs/ui/DlgQuestionMatchPairs.h"

#include "app/ui/controls/ImageStatic.h"
#include "platform/CorvContext.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CDlgQuestionMatchPairs::CDlgQuestionMatchPairs(QWidget *parent)
    : CValueDialog(parent), values(CMatchPairsValues::Defaults())
{
    setObjectName(QStringLiteral("DlgQuestionMatchPairs"));
    setWindowTitle(QStringLiteral("Match the pairs"));
    auto *layout = new QVBoxLayout(this);
    const QString questionLabel = QStringLiteral("Question text (including student instruction)");
    m_question = MultiLine(QStringLiteral("QuestionText"), questionLabel, 3);
    layout->addWidget(Label(questionLabel, m_question));
    layout->addWidget(m_question);
    auto *grid = new QGridLayout;
    for (int column = 0; column < 2; ++column) {
        const int at = column * 6;
        grid->addWidget(new QLabel(QStringLiteral("Text"), this), 0, at + 1);
        grid->addWidget(new QLabel(QStringLiteral("Image"), this), 0, at + 2);
    }
    for (int side = 0; side < kSides; ++side) {
        const int pair = side % CMatchPairsValues::kPairs;
        const bool right = side >= CMatchPairsValues::kPairs;
        const QString name = QString::number(pair + 1) + QChar(right ? u'b' : u'a');
        const QString label = right ? QStringLiteral("%1:").arg(name) : QStringLiteral("Match %1:").arg(name);
        QLineEdit *text = SingleLine(QStringLiteral("Side%1").arg(name), QStringLiteral("Match %1").arg(name));
        auto *thumbnail = new CImageStatic(this);
        thumbnail->setObjectName(QStringLiteral("Thumbnail%1").arg(name));
        thumbnail->setAccessibleName(QStringLiteral("Picture of %1").arg(name));
        thumbnail->SetStretch(false);
        thumbnail->setFixedSize(CMatchPairsValues::kThumbnailSide + 2, CMatchPairsValues::kThumbnailSide + 2);
        auto *add = new QPushButton(QStringLiteral("Add"), this);
        auto *del = new QPushButton(QStringLiteral("Del"), this);
        add->setObjectName(QStringLiteral("Add%1").arg(name));
        del->setObjectName(QStringLiteral("Del%1").arg(name));
        add->setAccessibleName(QStringLiteral("Add picture to %1").arg(name));
        del->setAccessibleName(QStringLiteral("Delete picture of %1").arg(name));
        connect(add, &QPushButton::clicked, this, [this, side] { OnAdd(side); });
        connect(del, &QPushButton::clicked, this, [this, side] { OnDel(side); });
        m_texts[size_t(side)] = text;
        m_thumbnails[size_t(side)] = thumbnail;
        m_add[size_t(side)] = add;
        m_del[size_t(side)] = del;
        const int at = right ? 6 : 0;
        grid->addWidget(Label(label, text), pair + 1, at);
        grid->addWidget(text, pair + 1, at + 1);
        grid->addWidget(thumbnail, pair + 1, at + 2);
        grid->addWidget(add, pair + 1, at + 3);
        grid->addWidget(del, pair + 1, at + 4);
    }
    grid->setColumnMinimumWidth(5, 16);
    layout->addLayout(grid);
    m_zoom = new QCheckBox(QStringLiteral("Zoom images on roll over"), this);
    m_zoom->setObjectName(QStringLiteral("Zoom"));
    layout->addWidget(m_zoom);
    AddFeedbackBoxes(layout, m_correct, m_wrong);
    layout->addWidget(OkCancel());
    resize(820, 0);
}

QString &CDlgQuestionMatchPairs::PictureOf(CMatchPairsValues &v, int side) const
{
    const int pair = side % CMatchPairsValues::kPairs;
    return side < CMatchPairsValues::kPairs ? v.leftImages[size_t(pair)] : v.rightImages[size_t(pair)];
}

void CDlgQuestionMatchPairs::ShowValues()
{
    m_question->setPlainText(values.questionText);
    for (int side = 0; side < kSides; ++side) {
        const int pair = side % CMatchPairsValues::kPairs;
        const bool right = side >= CMatchPairsValues::kPairs;
        m_texts[size_t(side)]->setText(right ? values.rightTexts[size_t(pair)] : values.leftTexts[size_t(pair)]);
        m_pictures[size_t(side)] = PictureOf(values, side);
        ShowThumbnail(side);
    }
    m_zoom->setChecked(values.zoom != 0);
    m_correct->setPlainText(values.correctFeedback);
    m_wrong->setPlainText(values.wrongFeedback);
}

void CDlgQuestionMatchPairs::ShowThumbnail(int side)
{
    const QString &file = m_pictures[size_t(side)];
    if (file.isEmpty()) {
        m_thumbnails[size_t(side)]->SetBitmap(CMatchPairsValues::BlankThumbnail());
        return;
    }
    // A picture that cannot be made into a thumbnail leaves the thumbnail as it was.
    const QImage thumbnail = CMatchPairsValues::MakeThumbnail(context ? *context : CCorvContext::Empty(), file);
    if (!thumbnail.isNull())
        m_thumbnails[size_t(side)]->SetBitmap(thumbnail);
}

void CDlgQuestionMatchPairs::OnAdd(int side)
{
    const QString chosen = BrowseFile(m_pictures[size_t(side)], 61460);
    if (chosen.isEmpty())
        return;
    m_pictures[size_t(side)] = chosen;
    ShowThumbnail(side);
}

void CDlgQuestionMatchPairs::OnDel(int side)
{
    m_pictures[size_t(side)].clear();
    ShowThumbnail(side);
}

void CDlgQuestionMatchPairs::ReadTexts(CMatchPairsValues &v) const
{
    v.questionText = m_question->toPlainText();
    for (int side = 0; side < kSides; ++side) {
        const int pair = side % CMatchPairsValues::kPairs;
        QString &text = side < CMatchPairsValues::kPairs ? v.leftTexts[size_t(pair)] : v.rightTexts[size_t(pair)];
        text = m_texts[size_t(side)]->text();
        PictureOf(v, side) = m_pictures[size_t(side)];
    }
    v.zoom = m_zoom->isChecked() ? 1 : 0;
    v.correctFeedback = m_correct->toPlainText();
    v.wrongFeedback = m_wrong->toPlainText();
}

void CDlgQuestionMatchPairs::accept()
{
    CMatchPairsValues read = values;
    ReadTexts(read);
    if (!Passed(read.Check()))
        return;
    values = read;
    CValueDialog::accept();
}
