#include "dialogs/ui/DlgKenBurnsEffect.h"

#include "dialogs/ui/KBImageWnd.h"
#include "image/xImage.h"
#include "model/GlobalHelpers.h"
#include "model/PictureFiles.h"
#include "platform/Prompt.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <iterator>

namespace {

// Effects in the order of their buttons, with their captions.
struct EffectCaption {
    int effect;
    const char *caption;
};
constexpr EffectCaption kEffectButtons[] = {
    {KenBurns::effectNone, "None"},     {KenBurns::effectZoomIn, "Zoom in"},   {KenBurns::effectZoomOut, "Zoom out"},
    {KenBurns::effectPan, "Pan"},       {KenBurns::effectShrink, "Shrink"},   {KenBurns::effectGrow, "Grow"},
    {KenBurns::effectFadeIn, "Fade in"}, {KenBurns::effectFadeOut, "Fade out"},
};
const char *const kPanCaptions[] = {"Pan graphic by dragging it", "Pan graphic with scrollbars",
                                    "Allow automated panning"};
const char *const kAccelerationCaptions[] = {"None", "Fast start, slow at end", "Slow start, fast at end",
                                             "Slow start, fast mid, slow end"};
constexpr int kHelpIds[] = {KenBurns::helpEffects, KenBurns::helpPanning, KenBurns::helpAcceleration,
                            KenBurns::helpOptions};

QGroupBox *Group(QWidget *parent, const QString &title, const QString &objectName)
{
    auto *group = new QGroupBox(title, parent);
    group->setObjectName(objectName);
    return group;
}

// The picture as the editor shows it; null when the file does not load.
QImage LoadPicture(const QString &file)
{
    CxImage picture;
    if (file.trimmed().isEmpty() || !PictureFiles::Load(picture, file, GetImageFormatFromExt(file)) ||
        !picture.IsValid())
        return {};
    return PictureFiles::ToDisplayImage(picture);
}

} // namespace

CDlgKenBurnsEffect::CDlgKenBurnsEffect(QWidget *parent) : CValueDialog(parent)
{
    setObjectName(QStringLiteral("DlgKenBurnsEffect"));
    setWindowTitle(QStringLiteral("Ken Burns Effect"));

    auto *left = new QVBoxLayout;
    left->addWidget(BuildEffects());
    left->addWidget(BuildPanning());
    left->addWidget(BuildAcceleration());
    left->addWidget(BuildOptions());
    left->addStretch(1);

    auto *right = new QVBoxLayout;
    auto *intro = new QLabel(QStringLiteral("Choose an animation effect for the graphic. The marquee over the "
                                            "graphic marks the part of it the effect starts from, zooms into or "
                                            "ends at; drag its corners to size it."),
                             this);
    intro->setWordWrap(true);
    right->addWidget(intro);
    m_instruction = new QLabel(this);
    m_instruction->setObjectName(QStringLiteral("Instruction"));
    m_instruction->setAccessibleName(QStringLiteral("Instruction"));
    m_instruction->setWordWrap(true);
    m_instruction->setMinimumHeight(m_instruction->fontMetrics().lineSpacing() * 4);
    m_instruction->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    right->addWidget(m_instruction);
    m_frame = new QWidget(this);
    m_frame->setObjectName(QStringLiteral("PictureFrame"));
    m_frame->setFixedSize(kFrameWidth, kFrameHeight);
    m_picture = new CKBImageWnd(m_frame);
    m_picture->setGeometry(0, 0, kFrameWidth, kFrameHeight);
    right->addWidget(m_frame);
    auto *note = new QLabel(QStringLiteral("Changing the aspect ratio or size of the image in the Edit Pane means "
                                           "that some of the parameters set here may no longer apply and will "
                                           "need to be set again."),
                            this);
    note->setWordWrap(true);
    note->setMaximumWidth(kFrameWidth);
    intro->setMaximumWidth(kFrameWidth);
    m_instruction->setMaximumWidth(kFrameWidth);
    right->addWidget(note);
    right->addStretch(1);

    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("Buttons"));
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgKenBurnsEffect::OnOK);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
}

QToolButton *CDlgKenBurnsEffect::MakeHelpButton(int id, const QString &about)
{
    auto *button = new QToolButton(this);
    button->setObjectName(QStringLiteral("Help%1").arg(id));
    button->setText(QStringLiteral("?"));
    button->setAccessibleName(QStringLiteral("Help on ") + about);
    button->setToolTip(QStringLiteral("Help on ") + about);
    button->setFixedSize(19, 19);
    connect(button, &QToolButton::clicked, this, [this, id] { Prompt().Information(KenBurns::HelpText(id)); });
    for (size_t i = 0; i < std::size(kHelpIds); ++i)
        if (kHelpIds[i] == id)
            m_help[i] = button;
    return button;
}

QToolButton *CDlgKenBurnsEffect::HelpButton(int id) const
{
    for (size_t i = 0; i < std::size(kHelpIds); ++i)
        if (kHelpIds[i] == id)
            return m_help[i];
    return nullptr;
}

QLineEdit *CDlgKenBurnsEffect::TimeBox(const QString &objectName, const QString &label)
{
    QLineEdit *box = SingleLine(objectName, label);
    box->setMaximumWidth(70);
    return box;
}

QWidget *CDlgKenBurnsEffect::BuildEffects()
{
    QGroupBox *group = Group(this, QStringLiteral("Animation effect"), QStringLiteral("EffectGroup"));
    auto *grid = new QGridLayout(group);
    m_effectGroup = new QButtonGroup(this);
    int n = 0;
    for (const EffectCaption &b : kEffectButtons) {
        auto *radio = new QRadioButton(QString::fromLatin1(b.caption), group);
        radio->setObjectName(QStringLiteral("Effect%1").arg(b.effect));
        m_effects[size_t(b.effect)] = radio;
        m_effectGroup->addButton(radio, b.effect);
        grid->addWidget(radio, n % 4, n / 4);
        ++n;
    }
    grid->addWidget(MakeHelpButton(KenBurns::helpEffects, QStringLiteral("Animation effect")), 0, 2,
                    Qt::AlignRight | Qt::AlignTop);
    connect(m_effectGroup, &QButtonGroup::idClicked, this, &CDlgKenBurnsEffect::OnEffect);
    return group;
}

QWidget *CDlgKenBurnsEffect::BuildPanning()
{
    QGroupBox *group = Group(this, QStringLiteral("Panning"), QStringLiteral("PanningGroup"));
    auto *grid = new QGridLayout(group);
    m_panGroup = new QButtonGroup(this);
    for (int mode = 0; mode < 3; ++mode) {
        auto *radio = new QRadioButton(QString::fromLatin1(kPanCaptions[mode]), group);
        radio->setObjectName(QStringLiteral("PanMode%1").arg(mode));
        m_panModes[size_t(mode)] = radio;
        m_panGroup->addButton(radio, mode);
        grid->addWidget(radio, mode, 0, 1, 2);
    }
    grid->addWidget(MakeHelpButton(KenBurns::helpPanning, QStringLiteral("Panning")), 0, 2,
                    Qt::AlignRight | Qt::AlignTop);
    m_markerCount = new QComboBox(group);
    m_markerCount->setObjectName(QStringLiteral("MarkerCount"));
    m_markerCount->setAccessibleName(QStringLiteral("Number of path markers"));
    for (int i = 1; i <= KenBurns::kMaxMarkers; ++i)
        m_markerCount->addItem(QString::number(i));
    m_timeToMarker = TimeBox(QStringLiteral("TimeToEachMarker"), QStringLiteral("Time to animate to each marker (seconds)"));
    m_waitAtMarker = TimeBox(QStringLiteral("WaitAtEachMarker"), QStringLiteral("Time to wait at each marker (seconds)"));
    grid->addWidget(Label(QStringLiteral("Number of path markers"), m_markerCount), 3, 0);
    grid->addWidget(m_markerCount, 3, 1);
    grid->addWidget(Label(QStringLiteral("Time to animate to each marker (seconds)"), m_timeToMarker), 4, 0);
    grid->addWidget(m_timeToMarker, 4, 1);
    grid->addWidget(Label(QStringLiteral("Time to wait at each marker (seconds)"), m_waitAtMarker), 5, 0);
    grid->addWidget(m_waitAtMarker, 5, 1);
    connect(m_panGroup, &QButtonGroup::idClicked, this, &CDlgKenBurnsEffect::OnPanMode);
    connect(m_markerCount, &QComboBox::activated, this, &CDlgKenBurnsEffect::OnMarkerCount);
    connect(m_timeToMarker, &QLineEdit::editingFinished, this, &CDlgKenBurnsEffect::OnMarkerTimes);
    connect(m_waitAtMarker, &QLineEdit::editingFinished, this, &CDlgKenBurnsEffect::OnMarkerTimes);
    return group;
}

QWidget *CDlgKenBurnsEffect::BuildAcceleration()
{
    QGroupBox *group = Group(this, QStringLiteral("Acceleration"), QStringLiteral("AccelerationGroup"));
    auto *grid = new QGridLayout(group);
    m_accelerationGroup = new QButtonGroup(this);
    for (int kind = 0; kind < 4; ++kind) {
        auto *radio = new QRadioButton(QString::fromLatin1(kAccelerationCaptions[kind]), group);
        radio->setObjectName(QStringLiteral("Acceleration%1").arg(kind));
        m_accelerations[size_t(kind)] = radio;
        m_accelerationGroup->addButton(radio, kind);
        grid->addWidget(radio, kind % 2, kind / 2);
    }
    grid->addWidget(MakeHelpButton(KenBurns::helpAcceleration, QStringLiteral("Acceleration")), 0, 2,
                    Qt::AlignRight | Qt::AlignTop);
    connect(m_accelerationGroup, &QButtonGroup::idClicked, this, [this](int kind) { values.acceleration = kind; });
    return group;
}

QWidget *CDlgKenBurnsEffect::BuildOptions()
{
    QGroupBox *group = Group(this, QStringLiteral("Options"), QStringLiteral("OptionsGroup"));
    auto *grid = new QGridLayout(group);
    m_timeToComplete = TimeBox(QStringLiteral("TimeToComplete"), QStringLiteral("Time to complete animation (seconds)"));
    m_waitBefore = TimeBox(QStringLiteral("WaitBeforeStarting"), QStringLiteral("Time to wait before starting (seconds)"));
    m_userClick = new QCheckBox(QStringLiteral("User mouse click starts animation"), group);
    m_userClick->setObjectName(QStringLiteral("UserClickStarts"));
    m_title = SingleLine(QStringLiteral("ImageTitleText"), QStringLiteral("Image title text"));
    grid->addWidget(Label(QStringLiteral("Time to complete animation (seconds)"), m_timeToComplete), 0, 0);
    grid->addWidget(m_timeToComplete, 0, 1);
    grid->addWidget(MakeHelpButton(KenBurns::helpOptions, QStringLiteral("Options")), 0, 2,
                    Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(Label(QStringLiteral("Time to wait before starting (seconds)"), m_waitBefore), 1, 0);
    grid->addWidget(m_waitBefore, 1, 1);
    grid->addWidget(m_userClick, 2, 0, 1, 2);
    grid->addWidget(Label(QStringLiteral("Image title text"), m_title), 3, 0);
    grid->addWidget(m_title, 4, 0, 1, 3);
    connect(m_userClick, &QCheckBox::clicked, this, &CDlgKenBurnsEffect::OnUserClick);
    return group;
}

void CDlgKenBurnsEffect::SetKeyFrame(const CRect &rect, int i)
{
    values.SetKeyFrame(rect, i);
    m_picture->SetMarkerRect(i, rect);
}

CRect CDlgKenBurnsEffect::PictureRect() const { return m_picture->ImageRect(); }

void CDlgKenBurnsEffect::FieldsToControls()
{
    m_timeToComplete->setText(DialogNumbers::FormatDouble(values.timeToComplete));
    m_waitBefore->setText(DialogNumbers::FormatDouble(values.waitBeforeStarting));
    m_timeToMarker->setText(DialogNumbers::FormatDouble(values.timeToEachMarker));
    m_waitAtMarker->setText(DialogNumbers::FormatDouble(values.waitAtEachMarker));
    m_title->setText(values.imageTitleText);
    m_userClick->setChecked(values.userClickStarts != 0);
    m_markerCount->setCurrentIndex(values.MarkersInUse() - 1);
}

bool CDlgKenBurnsEffect::ControlsToFields(bool quiet)
{
    const std::pair<QLineEdit *, float *> boxes[] = {{m_timeToComplete, &values.timeToComplete},
                                                     {m_waitBefore, &values.waitBeforeStarting},
                                                     {m_timeToMarker, &values.timeToEachMarker},
                                                     {m_waitAtMarker, &values.waitAtEachMarker}};
    for (const auto &[box, field] : boxes) {
        double number = 0;
        if (quiet ? DialogNumbers::ParseDouble(box->text(), number) : ReadDouble(box, number))
            *field = float(number);
        else if (!quiet)
            return false;
    }
    values.imageTitleText = m_title->text();
    values.userClickStarts = m_userClick->isChecked() ? 1 : 0;
    return true;
}

void CDlgKenBurnsEffect::UpdateEffectControls()
{
    if (QRadioButton *radio = values.effect >= 0 && values.effect < int(m_effects.size())
                                  ? m_effects[size_t(values.effect)]
                                  : nullptr)
        radio->setChecked(true);
    UpdatePanControls();
}

void CDlgKenBurnsEffect::UpdatePanControls()
{
    const KenBurns::ControlStates s =
        KenBurns::ControlStatesFor(values.effect, values.panMode, m_userClick->isChecked());
    m_timeToComplete->setEnabled(s.timeToComplete);
    m_waitBefore->setEnabled(s.waitBefore);
    m_markerCount->setEnabled(s.markerCount);
    m_title->setEnabled(s.title);
    m_waitAtMarker->setEnabled(s.waitAtMarker);
    m_timeToMarker->setEnabled(s.timeToMarker);
    m_userClick->setEnabled(s.userClick);
    for (QRadioButton *radio : m_accelerations)
        radio->setEnabled(s.acceleration);
    for (QRadioButton *radio : m_panModes)
        radio->setEnabled(s.panModes);
    if (values.panMode >= 0 && values.panMode < int(m_panModes.size()))
        m_panModes[size_t(values.panMode)]->setChecked(true);
    m_instruction->setText(KenBurns::InstructionText(s.instruction));
}

void CDlgKenBurnsEffect::ShowValues()
{
    values.markerCount = values.MarkersInUse();
    FieldsToControls();
    UpdateEffectControls();
    if (values.acceleration >= 0 && values.acceleration < int(m_accelerations.size()))
        m_accelerations[size_t(values.acceleration)]->setChecked(true);

    const QImage picture = LoadPicture(values.pictureFile);
    values.pictureWidth = picture.isNull() ? 0 : picture.width();
    values.pictureHeight = picture.isNull() ? 0 : picture.height();
    const CRect area = KenBurns::LayoutImage(kFrameWidth, kFrameHeight, values.pictureWidth, values.pictureHeight);

    m_picture->Create(QRect(0, 0, kFrameWidth, kFrameHeight));
    m_picture->SetEffect(values.effect);
    m_picture->SetMarkerCount(values.markerCount);
    m_picture->SetPanMode(values.panMode);

    // A picture component with no size has no scale of its own: its rectangles are taken as they are.
    const float s = KenBurns::RectScale(area, values.componentRect);
    values.pictureOffset = KenBurns::PictureOffset(kFrameWidth, area);
    for (int i = 0; i < values.markerCount; ++i)
        m_picture->SetMarkerRect(i, values.ToDisplay(values.keyFrames[size_t(i)], s));
    m_markerCount->setCurrentIndex(values.markerCount - 1);

    CRect start = values.ToDisplay(values.startRect, s);
    if (!picture.isNull()) {
        m_picture->SetBitmap(picture);
        // Without a marquee of its own the picture takes the default one, which is in the area's scale
        // already.
        if (values.startRect.Width() == 0 && values.startRect.Height() == 0)
            start = m_picture->GetPartRect();
    }
    values.startRect = start;
    m_picture->SetPartRect(start);
    values.UpdateTotalTime();
    FieldsToControls();
    UpdatePanControls();
}

void CDlgKenBurnsEffect::OnEffect(int effect)
{
    ControlsToFields(true);
    values.effect = effect;
    m_picture->SetEffect(effect);
    UpdateEffectControls();
    if (values.acceleration >= 0 && values.acceleration < int(m_accelerations.size()))
        m_accelerations[size_t(values.acceleration)]->setChecked(true);
    values.UpdateTotalTime();
    FieldsToControls();
}

void CDlgKenBurnsEffect::OnPanMode(int mode)
{
    values.panMode = mode;
    m_picture->SetPanMode(mode);
    UpdatePanControls();
    // An automated pan takes as long as its path.
    ControlsToFields(true);
    values.UpdateTotalTime();
    FieldsToControls();
}

void CDlgKenBurnsEffect::OnMarkerCount(int index)
{
    ControlsToFields(true);
    values.markerCount = std::clamp(index + 1, 1, KenBurns::kMaxMarkers);
    m_picture->SetMarkerCount(values.markerCount);
    values.UpdateTotalTime();
    m_picture->update();
    FieldsToControls();
}

void CDlgKenBurnsEffect::OnUserClick()
{
    ControlsToFields(true);
    UpdatePanControls();
    FieldsToControls();
}

void CDlgKenBurnsEffect::OnMarkerTimes()
{
    ControlsToFields(true);
    values.UpdateTotalTime();
    FieldsToControls();
}

void CDlgKenBurnsEffect::OnOK()
{
    if (!ControlsToFields(false))
        return;
    values.startRect = m_picture->GetPartRect();
    values.markerCount = std::clamp(m_markerCount->currentIndex() + 1, 1, KenBurns::kMaxMarkers);
    values.userClickStarts = m_userClick->isChecked() ? 1 : 0;
    m_picture->ReadMarkerRects();
    for (int i = 0; i < values.markerCount; ++i)
        values.keyFrames[size_t(i)] = m_picture->GetMarkerRect(i);
    accept();
}
