#include "editor/ui/QuestionWindows.h"

#include "dialogs/MatchPairsValues.h"
#include "dialogs/ui/PartTargetsView.h"
#include "document/CorvessaDoc.h"
#include "editor/CanvasComponentPainter.h"
#include "editor/QuestionLayouts.h"
#include "editor/ui/ScrollViewEx.h"
#include "image/qt/ImageQt.h"
#include "model/ComponentCompleteParagraph.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentLikert.h"
#include "model/ComponentMatchPairs.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentPartIdentification.h"
#include "model/CorvPage.h"

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>

#include <algorithm>

namespace L = QuestionLayouts;

namespace {

// The fields are pictures of the question: they neither take the focus nor the mouse.
void Inert(QWidget *widget)
{
    widget->setFocusPolicy(Qt::NoFocus);
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
}

QPixmap Thumbnail(const QImage &image) { return QPixmap::fromImage(image); }

} // namespace

// ---- The shared window ----

CQuestionWindow::CQuestionWindow(CComponentBase &component, CScrollViewEx &canvas)
    : CCanvasComponentWindow(component, canvas)
{
    setAttribute(Qt::WA_NoSystemBackground, false);
}

std::unique_ptr<CComponentWindow> CQuestionWindow::Make(CComponentBase &component, CScrollViewEx &canvas)
{
    switch (component.GetType()) {
    case ct_complete_paragraph: return std::make_unique<CWndCompleteParagraph>(component, canvas);
    case ct_fill_blanks: return std::make_unique<CWndFillBlanks>(component, canvas);
    case ct_match_pairs: return std::make_unique<CWndMatchPairs>(component, canvas);
    case ct_multiple_choice: return std::make_unique<CWndMultipleChoice>(component, canvas);
    case ct_likert: return std::make_unique<CWndLikert>(component, canvas);
    case ct_part_identification: return std::make_unique<CWndPartIdentification>(component, canvas);
    default: return nullptr;
    }
}

void CQuestionWindow::UpdateFromComponent()
{
    setLayoutDirection(RightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    Refresh();
    LayoutFields();
    update();
}

void CQuestionWindow::LayoutFields()
{
    if (IsLive() || FieldsAlwaysShown()) {
        for (QWidget *field : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            field->show();
        Layout(); // hides the fields the question does not use
        return;
    }
    Layout();
    for (QWidget *field : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        field->hide();
}

void CQuestionWindow::LiveChanged() { LayoutFields(); }

bool CQuestionWindow::RightToLeft() const
{
    const CCorvessaDoc *doc = Canvas().GetDocument();
    return doc && doc->Settings().RightToLeft != 0;
}

QPlainTextEdit *CQuestionWindow::MakeEdit(const QString &name, bool wrap)
{
    auto *edit = new QPlainTextEdit(this);
    edit->setAccessibleName(name);
    edit->setReadOnly(true);
    edit->setFrameShape(QFrame::Box);
    edit->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    Inert(edit);
    Inert(edit->viewport());
    return edit;
}

void CQuestionWindow::SetText(QPlainTextEdit *edit, const QString &text)
{
    if (edit->toPlainText() != text)
        edit->setPlainText(text);
}

void CQuestionWindow::Place(QWidget *widget, const CRect &rect)
{
    widget->setGeometry(rect.left, rect.top, std::max(0, rect.Width()), std::max(0, rect.Height()));
}

void CQuestionWindow::paintEvent(QPaintEvent *event)
{
    if (!IsLive() && !FieldsAlwaysShown()) {
        CCanvasComponentWindow::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CQuestionWindow::resizeEvent(QResizeEvent *event)
{
    LayoutFields();
    CCanvasComponentWindow::resizeEvent(event);
}

void CQuestionWindow::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    // The dialog rebuilds the canvas's windows, this one too: ask once this event is over.
    QPointer<CScrollViewEx> canvas(&Canvas());
    QMetaObject::invokeMethod(
        canvas.data(),
        [canvas] {
            if (canvas)
                emit canvas->commandRequested(kEditQuestionCommand);
        },
        Qt::QueuedConnection);
}

// ---- Complete the paragraph ----

CWndCompleteParagraph::CWndCompleteParagraph(CComponentBase &component, CScrollViewEx &canvas)
    : CQuestionWindow(component, canvas)
{
    m_question = MakeEdit(QStringLiteral("Question"), false);
    for (size_t i = 0; i < m_words.size(); ++i)
        m_words[i] = MakeEdit(QStringLiteral("Word %1").arg(i + 1), false);
    m_paragraph = MakeEdit(QStringLiteral("Paragraph"), true);
    Layout();
}

void CWndCompleteParagraph::Refresh()
{
    const auto &v = static_cast<CComponentCompleteParagraph &>(Component()).GetValues();
    SetText(m_question, v.m_instruction);
    for (size_t i = 0; i < m_words.size(); ++i)
        SetText(m_words[i], v.m_words[i]);
    SetText(m_paragraph, v.m_paragraph);
}

void CWndCompleteParagraph::Layout()
{
    const L::CompleteParagraph l = L::LayoutCompleteParagraph(width(), height());
    Place(m_question, l.question);
    for (size_t i = 0; i < m_words.size(); ++i)
        Place(m_words[i], l.words[i]);
    Place(m_paragraph, l.paragraph);
}

// ---- Fill in the blanks ----

CWndFillBlanks::CWndFillBlanks(CComponentBase &component, CScrollViewEx &canvas) : CQuestionWindow(component, canvas)
{
    m_instruction = MakeEdit(QStringLiteral("Instruction"), false);
    m_question = MakeEdit(QStringLiteral("Question"), true);
    for (size_t i = 0; i < m_answers.size(); ++i)
        m_answers[i] = MakeEdit(QStringLiteral("Answer %1").arg(i + 1), false);
    Layout();
}

void CWndFillBlanks::Refresh()
{
    const auto &v = static_cast<CComponentFillBlanks &>(Component()).GetValues();
    SetText(m_instruction, v.m_instruction);
    SetText(m_question, v.m_questionText);
    for (size_t i = 0; i < m_answers.size(); ++i)
        SetText(m_answers[i], v.m_words[i]);
}

void CWndFillBlanks::Layout()
{
    const L::FillBlanks l = L::LayoutFillBlanks(width(), height());
    Place(m_instruction, l.instruction);
    Place(m_question, l.question);
    for (size_t i = 0; i < m_answers.size(); ++i)
        Place(m_answers[i], l.answers[i]);
}

// ---- Match the pairs ----

CWndMatchPairs::CWndMatchPairs(CComponentBase &component, CScrollViewEx &canvas) : CQuestionWindow(component, canvas)
{
    m_question = MakeEdit(QStringLiteral("Question"), true);
    m_zoom = new QCheckBox(QString::fromLatin1(L::kZoomCaption), this);
    m_zoom->setAccessibleName(m_zoom->text());
    Inert(m_zoom);
    const QPixmap blank = Thumbnail(CMatchPairsValues::BlankThumbnail());
    auto picture = [this, &blank](const QString &name) {
        auto *label = new QLabel(this);
        label->setAccessibleName(name);
        label->setAlignment(Qt::AlignCenter);
        label->setPixmap(blank);
        Inert(label);
        return label;
    };
    for (size_t i = 0; i < m_leftTexts.size(); ++i) {
        m_leftTexts[i] = MakeEdit(QStringLiteral("Left %1").arg(i + 1), true);
        m_leftPictures[i] = picture(QStringLiteral("Left picture %1").arg(i + 1));
        m_rightTexts[i] = MakeEdit(QStringLiteral("Right %1").arg(i + 1), true);
        m_rightPictures[i] = picture(QStringLiteral("Right picture %1").arg(i + 1));
    }
    Layout();
}

void CWndMatchPairs::Refresh()
{
    const auto &v = static_cast<CComponentMatchPairs &>(Component()).GetValues();
    SetText(m_question, v.m_questionText);
    m_zoom->setChecked(v.m_zoom != 0);
    for (size_t i = 0; i < m_leftTexts.size(); ++i) {
        SetText(m_leftTexts[i], v.m_leftTexts[i]);
        SetText(m_rightTexts[i], v.m_rightTexts[i]);
    }
    RefreshPairImages();
}

void CWndMatchPairs::RefreshPairImages()
{
    const auto &v = static_cast<CComponentMatchPairs &>(Component()).GetValues();
    const CCorvessaDoc *doc = Canvas().GetDocument();
    const QPixmap blank = Thumbnail(CMatchPairsValues::BlankThumbnail());
    auto show = [&](QLabel *label, const QString &file) {
        if (file.isEmpty()) {
            label->setPixmap(blank);
        } else if (doc) {
            const QImage thumbnail = CMatchPairsValues::MakeThumbnail(doc->GetContext(), file);
            if (!thumbnail.isNull())
                label->setPixmap(Thumbnail(thumbnail));
        }
        label->update();
    };
    for (size_t i = 0; i < m_leftPictures.size(); ++i) {
        show(m_leftPictures[i], v.m_leftImages[i]);
        show(m_rightPictures[i], v.m_rightImages[i]);
    }
}

void CWndMatchPairs::Layout()
{
    const L::MatchPairs l = L::LayoutMatchPairs(width(), height());
    Place(m_question, l.question);
    Place(m_zoom, l.zoom);
    for (size_t i = 0; i < m_leftTexts.size(); ++i) {
        Place(m_leftTexts[i], l.leftTexts[i]);
        Place(m_leftPictures[i], l.leftPictures[i]);
        Place(m_rightTexts[i], l.rightTexts[i]);
        Place(m_rightPictures[i], l.rightPictures[i]);
    }
}

// ---- Multiple choice and true/false ----

CWndMultipleChoice::CWndMultipleChoice(CComponentBase &component, CScrollViewEx &canvas)
    : CQuestionWindow(component, canvas)
{
    m_instruction = MakeEdit(QStringLiteral("Instruction"), true);
    m_stem = MakeEdit(QStringLiteral("Question"), true);
    for (size_t i = 0; i < m_options.size(); ++i) {
        m_checks[i] = new QCheckBox(this);
        m_checks[i]->setAccessibleName(QStringLiteral("Option %1 is correct").arg(i + 1));
        Inert(m_checks[i]);
        m_options[i] = MakeEdit(QStringLiteral("Option %1").arg(i + 1), true);
    }
    Layout();
}

void CWndMultipleChoice::Refresh()
{
    const auto &v = static_cast<CComponentMultipleChoice &>(Component()).GetValues();
    SetText(m_instruction, v.m_instruction);
    SetText(m_stem, v.m_stem);
    m_trueFalse = v.m_trueFalse != 0;
    SMultipleChoiceValues::Options options = v.m_options;
    m_shown = L::CountOptions(options);
    for (size_t i = 0; i < m_options.size(); ++i) {
        SetText(m_options[i], options[i]);
        m_checks[i]->setChecked(v.m_correct[i] != 0);
    }
}

void CWndMultipleChoice::Layout()
{
    const L::MultipleChoice l = L::LayoutMultipleChoice(width(), height(), m_shown, m_trueFalse);
    // Outside true/false style the instruction would lie under the stem: it is not shown there.
    m_instruction->setVisible(l.instructionShown);
    Place(m_instruction, l.instruction);
    Place(m_stem, l.stem);
    for (size_t i = 0; i < m_options.size(); ++i) {
        const bool shown = int(i) < l.shown;
        m_checks[i]->setVisible(shown);
        m_options[i]->setVisible(shown);
        if (shown) {
            Place(m_checks[i], l.checks[i]);
            Place(m_options[i], l.options[i]);
        }
    }
}

// ---- Slider ----

CWndLikert::CWndLikert(CComponentBase &component, CScrollViewEx &canvas) : CQuestionWindow(component, canvas)
{
    m_question = MakeEdit(QStringLiteral("Question"), true);
    m_horizontal = new QLabel(this);
    m_horizontal->setAccessibleName(QStringLiteral("Horizontal Slider"));
    m_horizontal->setPixmap(QPixmap::fromImage(CanvasComponentPainter::SliderPicture(true)));
    m_vertical = new QLabel(this);
    m_vertical->setAccessibleName(QStringLiteral("Vertical Slider"));
    m_vertical->setPixmap(QPixmap::fromImage(CanvasComponentPainter::SliderPicture(false)));
    Inert(m_horizontal);
    Inert(m_vertical);
    m_createdWidth = width();
    m_createdHeight = height();
    const L::Likert l = L::LayoutLikert(m_createdWidth, m_createdHeight);
    Place(m_question, l.question);
    Place(m_horizontal, l.horizontal);
    Place(m_vertical, l.vertical);
    m_vertical->hide();
}

void CWndLikert::SetOrientation(bool horizontal)
{
    m_horizontalShown = horizontal;
    m_horizontal->setVisible(horizontal);
    m_vertical->setVisible(!horizontal);
    update();
}

void CWndLikert::Refresh()
{
    const auto &v = static_cast<CComponentLikert &>(Component()).GetValues();
    SetText(m_question, v.m_questionText);
    m_startLabel = v.m_startLabel;
    m_endLabel = v.m_endLabel;
    SetOrientation(v.m_horizontal != 0);
}

void CWndLikert::paintEvent(QPaintEvent *event)
{
    CQuestionWindow::paintEvent(event);
    if (!IsLive() && !FieldsAlwaysShown())
        return;
    QPainter painter(this);
    painter.setPen(Qt::black);
    const L::LikertLabels labels = L::LikertLabelRects(m_createdWidth, m_createdHeight, m_horizontalShown,
                                                       int(m_startLabel.size()), int(m_endLabel.size()));
    painter.drawText(labels.start.ToQRect(), Qt::AlignLeft | Qt::AlignTop, m_startLabel);
    painter.drawText(labels.end.ToQRect(), Qt::AlignLeft | Qt::AlignTop, m_endLabel);
}

// ---- Part identification ----

CWndPartIdentification::CWndPartIdentification(CComponentBase &component, CScrollViewEx &canvas)
    : CQuestionWindow(component, canvas)
{
    m_question = MakeEdit(QStringLiteral("Question"), true);
    m_picture = new CPartTargetsView(this);
    connect(m_picture, &CPartTargetsView::partsChanged, this, [this] { StoreTargets(); });
    Layout();
}

void CWndPartIdentification::Refresh()
{
    auto &question = static_cast<CComponentPartIdentification &>(Component());
    const auto &v = question.GetValues();
    m_refreshing = true;
    // Only the question follows the course's writing direction.
    setLayoutDirection(Qt::LeftToRight);
    m_question->setLayoutDirection(RightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    SetText(m_question, v.m_questionText);
    m_picture->SetScalingAllowed(v.m_reduceToFit != 0);
    const QSize natural(question.GetPictureWidth(), question.GetPictureHeight());
    if (question.GetPicture().IsValid() && (v.m_imageFile != m_shownFile || natural != m_shownSize)) {
        // A reduced copy stands for its picture at the natural size: it is laid out at that size.
        QImage picture = toQImage(question.GetPicture());
        if (natural.isValid() && picture.size() != natural)
            picture = picture.scaled(natural, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_picture->SetBitmap(picture);
        m_shownFile = v.m_imageFile;
        m_shownSize = natural;
    }
    m_picture->SetPartCount(v.m_targetCount);
    for (int i = 0; i < CPartTargetsView::kMaxParts; ++i)
        m_picture->SetPartRect(i, v.m_targets[size_t(i)]);
    m_refreshing = false;
}

void CWndPartIdentification::StoreTargets()
{
    if (m_refreshing)
        return;
    auto &question = static_cast<CComponentPartIdentification &>(Component());
    const int count = std::min(question.GetTargetCount(), int(CPartTargetsView::kMaxParts));
    // Read them all first: each one stored shows the question's targets again.
    std::array<CRect, CPartTargetsView::kMaxParts> parts{};
    bool changed = false;
    for (int i = 0; i < count; ++i) {
        parts[size_t(i)] = m_picture->GetPartRect(i);
        changed = changed || parts[size_t(i)] != question.GetTargetRect(i);
    }
    if (!changed)
        return;
    for (int i = 0; i < count; ++i) {
        const CRect &r = parts[size_t(i)];
        question.SetTargetRect(r.left, r.top, r.right, r.bottom, i);
    }
    if (CCorvPage *screen = Canvas().GetCurrentScreen())
        screen->SetModified(1);
    if (CCorvessaDoc *doc = Canvas().GetDocument())
        doc->SetModifiedFlag(true);
}

void CWndPartIdentification::Layout()
{
    const L::PartIdentification l = L::LayoutPartIdentification(width(), height());
    Place(m_question, l.question);
    m_picture->move(l.picture.left, l.picture.top);
}

void CWndPartIdentification::mousePressEvent(QMouseEvent *event)
{
    // The picture window takes its own clicks; a left click beside it is nobody's.
    if (event->button() == Qt::LeftButton) {
        event->accept();
        return;
    }
    CQuestionWindow::mousePressEvent(event);
}
