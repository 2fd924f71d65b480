#include "dialogs/ui/MediaDialogs.h"

#include "platform/ui/FileDialogs.h"
#include "app/ui/controls/ColorSelectButton.h"
#include "dialogs/FileFilter.h"
#include "dialogs/ui/NarrationRecorder.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <functional>

namespace {

// The file the author picks for a box, starting in the folder of its file; a cancelled picker leaves the box.
void Browse(CValueDialog *dialog, QLineEdit *box, const QString &filter)
{
    const QString current = box->text().trimmed();
    const QString chosen =
        dialog->Files().GetOpenFileName(dialog, QStringLiteral("Open"), current.isEmpty() ? QString() : QFileInfo(current).path(),
                                        DialogFileFilter::ToPickerFilter(filter));
    if (!chosen.isEmpty())
        box->setText(chosen);
}

// A labelled file box with its browse button, added to the layout; the button opens the picker with the
// filter the function gives at the time of the click.
QLineEdit *FileRow(CValueDialog *dialog, QVBoxLayout *layout, const QString &label, const QString &name,
                   const QString &browseText, std::function<QString()> filter, QPushButton **button = nullptr,
                   QLabel **labelOut = nullptr)
{
    auto *box = new QLineEdit(dialog);
    box->setObjectName(name);
    box->setAccessibleName(label);
    auto *caption = new QLabel(label, dialog);
    caption->setBuddy(box);
    auto *browse = new QPushButton(browseText, dialog);
    browse->setObjectName(name + QStringLiteral("Browse"));
    browse->setAccessibleName(QStringLiteral("Browse for the file"));
    QObject::connect(browse, &QPushButton::clicked, dialog, [dialog, box, filter] { Browse(dialog, box, filter()); });
    layout->addWidget(caption);
    auto *row = new QHBoxLayout;
    row->addWidget(box, 1);
    row->addWidget(browse);
    layout->addLayout(row);
    if (button)
        *button = browse;
    if (labelOut)
        *labelOut = caption;
    return box;
}

QCheckBox *Check(QWidget *parent, const QString &text, const QString &name)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

QSpinBox *Number(QWidget *parent, const QString &name, int low, int high)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setAccessibleName(name);
    box->setRange(low, high);
    return box;
}

QComboBox *WindowModes(QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(QStringLiteral("WindowMode"));
    list->setAccessibleName(QStringLiteral("Window mode"));
    list->addItems(MediaWindowModes());
    return list;
}

CColorSelectButton *Colour(QWidget *parent, const QString &name)
{
    auto *button = new CColorSelectButton(parent);
    button->setObjectName(name);
    button->setAccessibleName(name);
    return button;
}

void SetCaption(QWidget *dialog, const QString &caption, const QString &fallback)
{
    dialog->setWindowTitle(caption.isEmpty() ? fallback : caption);
}

int Flag(const QCheckBox *box) { return box->isChecked() ? 1 : 0; }

QString Table(int id) { return CStringTable::Load(id); }

} // namespace

// ---- DlgAddFlash ----

DlgAddFlash::DlgAddFlash(QWidget *parent) : CValueDialog(parent)
{
    setObjectName(QStringLiteral("DlgAddFlash"));
    auto *layout = new QVBoxLayout(this);
    m_file = FileRow(this, layout, QStringLiteral("Flash file location"), QStringLiteral("FlashFile"),
                     QStringLiteral("Browse..."), [] { return Table(SAddFlashValues::kFilterId); }, &m_browse);
    auto *flags = new QHBoxLayout;
    m_autoStart = Check(this, QStringLiteral("Auto-start"), QStringLiteral("AutoStart"));
    m_loop = Check(this, QStringLiteral("Loop"), QStringLiteral("Loop"));
    flags->addWidget(m_autoStart);
    flags->addWidget(m_loop);
    flags->addStretch();
    layout->addLayout(flags);
    auto *grid = new QGridLayout;
    // The arrows and typing go past 6 to 10; OK turns such a version into 8.
    m_version = Number(this, QStringLiteral("Version"), 0, 99);
    m_windowMode = WindowModes(this);
    m_background = Colour(this, QStringLiteral("Background"));
    m_flashVars = SingleLine(QStringLiteral("FlashVars"), QStringLiteral("Flash Vars"));
    grid->addWidget(Label(QStringLiteral("Version"), m_version), 0, 0);
    grid->addWidget(m_version, 0, 1);
    grid->addWidget(Label(QStringLiteral("Window mode"), m_windowMode), 0, 2);
    grid->addWidget(m_windowMode, 0, 3);
    grid->addWidget(Label(QStringLiteral("Background"), m_background), 1, 0);
    grid->addWidget(m_background, 1, 1);
    grid->addWidget(Label(QStringLiteral("Flash Vars"), m_flashVars), 2, 0);
    grid->addWidget(m_flashVars, 2, 1, 1, 3);
    layout->addLayout(grid);
    layout->addWidget(OkCancel());
    SetFocusControl(1325, m_file);
    connect(m_background, &CColorSelectButton::colourClicked, this, [this] { m_backgroundPicked = true; });
    resize(480, 0);
}

void DlgAddFlash::ShowValues()
{
    SetCaption(this, values.caption, QStringLiteral("Add Flash"));
    m_file->setText(values.file);
    m_autoStart->setChecked(values.autoStart != 0);
    m_loop->setChecked(values.loop != 0);
    m_version->setValue(values.version);
    m_windowMode->setCurrentIndex(MediaWindowModeIndex(values.windowMode));
    m_background->SetColor(values.backgroundColour ? values.backgroundColour : 0xFFFFFF);
    m_backgroundPicked = false;
    m_flashVars->setText(values.flashVars);
}

void DlgAddFlash::accept()
{
    SAddFlashValues read = values;
    read.file = m_file->text();
    read.autoStart = Flag(m_autoStart);
    read.loop = Flag(m_loop);
    read.version = m_version->value();
    read.windowMode = m_windowMode->currentText();
    // A colour of 0 shown as white stays 0 until the author picks one.
    if (m_backgroundPicked)
        read.backgroundColour = m_background->GetColor();
    read.flashVars = m_flashVars->text();
    read.Correct();
    values = read;
    CValueDialog::accept();
}

// ---- DlgAddPDF ----

DlgAddPDF::DlgAddPDF(QWidget *parent) : CValueDialog(parent)
{
    setObjectName(QStringLiteral("DlgAddPDF"));
    auto *layout = new QVBoxLayout(this);
    m_file = FileRow(this, layout, QStringLiteral("Select the PDF file"), QStringLiteral("PdfFile"),
                     QStringLiteral("Browse..."), [] { return Table(SAddPdfValues::kFilterId); }, &m_browse);
    auto *flags = new QHBoxLayout;
    m_toolbar = Check(this, QStringLiteral("Toolbar"), QStringLiteral("Toolbar"));
    m_scrollbar = Check(this, QStringLiteral("Scrollbar"), QStringLiteral("Scrollbar"));
    m_navPanes = Check(this, QStringLiteral("Navigation Panes"), QStringLiteral("NavigationPanes"));
    flags->addWidget(m_toolbar);
    flags->addWidget(m_scrollbar);
    flags->addWidget(m_navPanes);
    flags->addStretch();
    layout->addLayout(flags);
    layout->addWidget(OkCancel());
    SetFocusControl(1325, m_file);
    resize(440, 0);
}

void DlgAddPDF::ShowValues()
{
    SetCaption(this, values.caption, QStringLiteral("Add PDF"));
    m_file->setText(values.file);
    m_toolbar->setChecked(values.showToolbar != 0);
    m_scrollbar->setChecked(values.showScrollbar != 0);
    m_navPanes->setChecked(values.showNavPanes != 0);
}

void DlgAddPDF::accept()
{
    SAddPdfValues read = values;
    read.file = m_file->text();
    read.showToolbar = Flag(m_toolbar);
    read.showScrollbar = Flag(m_scrollbar);
    read.showNavPanes = Flag(m_navPanes);
    if (!Passed(read.Check()))
        return;
    values = read;
    CValueDialog::accept();
}

// ---- CDlgFlashVideo ----

CDlgFlashVideo::CDlgFlashVideo(QWidget *parent) : CValueDialog(parent)
{
    setObjectName(QStringLiteral("CDlgFlashVideo"));
    auto *layout = new QVBoxLayout(this);
    m_video = FileRow(this, layout, QStringLiteral("Select the Flash Video file"), QStringLiteral("VideoFile"),
                      QStringLiteral("Browse ..."), [] { return Table(SFlashVideoDialogValues::kVideoFilterId); });
    m_image = FileRow(this, layout, QStringLiteral("Select the image file (optional)"), QStringLiteral("ImageFile"),
                      QStringLiteral("Browse ..."), [] { return Table(SFlashVideoDialogValues::kImageFilterId); });

    auto *options = new QGroupBox(QStringLiteral("Options:"), this);
    auto *optionGrid = new QGridLayout(options);
    m_autoStart = Check(options, QStringLiteral("Auto-start"), QStringLiteral("AutoStart"));
    m_sfx = Check(options, QStringLiteral("SFX"), QStringLiteral("SoundEffects"));
    m_sfx->setToolTip(QStringLiteral("Allow button sound effects"));
    m_fullScreen = Check(options, QStringLiteral("Allow fullscreen"), QStringLiteral("AllowFullScreen"));
    m_middleButton = Check(options, QStringLiteral("Middle button"), QStringLiteral("MiddleButton"));
    m_autoHide = Check(options, QStringLiteral("Auto-hide nav"), QStringLiteral("AutoHideNav"));
    // Typed values outside 0 to 100 and 8 to 15 are corrected on OK.
    m_volume = Number(options, QStringLiteral("Volume"), -999, 999);
    m_version = Number(options, QStringLiteral("Version"), 0, 99);
    optionGrid->addWidget(m_autoStart, 0, 0);
    optionGrid->addWidget(m_sfx, 0, 1);
    optionGrid->addWidget(m_fullScreen, 0, 2);
    optionGrid->addWidget(m_middleButton, 1, 0);
    optionGrid->addWidget(m_autoHide, 1, 1);
    optionGrid->addWidget(Label(QStringLiteral("Volume"), m_volume), 2, 0);
    optionGrid->addWidget(m_volume, 2, 1);
    optionGrid->addWidget(Label(QStringLiteral("Version"), m_version), 3, 0);
    optionGrid->addWidget(m_version, 3, 1);
    layout->addWidget(options);

    auto *colours = new QGroupBox(QStringLiteral("Colors:"), this);
    auto *colourGrid = new QGridLayout(colours);
    m_defaultColours = Check(colours, QStringLiteral("Use default colors"), QStringLiteral("UseDefaultColours"));
    colourGrid->addWidget(m_defaultColours, 0, 0, 1, 2);
    const QString names[4] = {QStringLiteral("Progress bar"), QStringLiteral("Progress bar shadow"),
                              QStringLiteral("Volume bar"), QStringLiteral("Background")};
    for (int i = 0; i < 4; ++i) {
        m_colours[i] = Colour(colours, names[i]);
        colourGrid->addWidget(Label(names[i], m_colours[i]), 1 + i / 2, (i % 2) * 2);
        colourGrid->addWidget(m_colours[i], 1 + i / 2, (i % 2) * 2 + 1);
        // A colour of the author's own (or a look at the colour dialog) ends the default colours.
        connect(m_colours[i], &CColorSelectButton::colourClicked, this, [this] { m_defaultColours->setChecked(false); });
    }
    layout->addWidget(colours);
    layout->addWidget(OkCancel());
    SetFocusControl(1325, m_video);
    resize(520, 0);
}

void CDlgFlashVideo::ShowValues()
{
    SetCaption(this, values.caption, QStringLiteral("Add Flash Video"));
    m_video->setText(values.videoFile);
    m_image->setText(values.imageFile);
    m_autoStart->setChecked(values.autoStart != 0);
    m_volume->setValue(values.volume);
    m_sfx->setChecked(values.soundEffects != 0);
    m_version->setValue(values.version);
    m_fullScreen->setChecked(values.allowFullScreen != 0);
    m_middleButton->setChecked(values.middleButton != 0);
    m_autoHide->setChecked(values.autoHideNav != 0);
    m_defaultColours->setChecked(values.useDefaultColours != 0);
    SFlashVideoDialogValues shown = values;
    if (shown.useDefaultColours)
        shown.RestoreDefaultColours();
    const uint32_t colours[4] = {shown.progressColour, shown.progressShadowColour, shown.volumeBarColour,
                                 shown.backgroundColour};
    for (int i = 0; i < 4; ++i)
        m_colours[i]->SetColor(colours[i]);
}

void CDlgFlashVideo::accept()
{
    SFlashVideoDialogValues read = values;
    read.videoFile = m_video->text();
    read.imageFile = m_image->text();
    read.autoStart = Flag(m_autoStart);
    read.volume = m_volume->value();
    read.soundEffects = Flag(m_sfx);
    read.version = m_version->value();
    read.allowFullScreen = Flag(m_fullScreen);
    read.middleButton = Flag(m_middleButton);
    read.autoHideNav = Flag(m_autoHide);
    read.useDefaultColours = Flag(m_defaultColours);
    read.progressColour = m_colours[0]->GetColor();
    read.progressShadowColour = m_colours[1]->GetColor();
    read.volumeBarColour = m_colours[2]->GetColor();
    read.backgroundColour = m_colours[3]->GetColor();
    read.Correct();
    values = read;
    CValueDialog::accept();
}

// ---- CDlgImportMedia ----

CDlgImportMedia::CDlgImportMedia(int kind, QWidget *parent, CPrompt *messages) : CValueDialog(parent)
{
    prompt = messages;
    setObjectName(QStringLiteral("CDlgImportMedia"));
    values = SImportMediaValues::ForKind(kind, Prompt());
    auto *layout = new QVBoxLayout(this);
    m_file = FileRow(this, layout, QStringLiteral("Sound or movie file location"), QStringLiteral("MediaFile"),
                     QStringLiteral("Browse..."), [this] { return values.filterId ? Table(values.filterId) : QString(); },
                     &m_browse, &m_prompt);
    auto *flags = new QHBoxLayout;
    m_autoStart = Check(this, QStringLiteral("Auto-start"), QStringLiteral("AutoStart"));
    m_loop = Check(this, QStringLiteral("Loop"), QStringLiteral("Loop"));
    m_controller = Check(this, SImportMediaValues::ControllerCaption(kind), QStringLiteral("DisplayController"));
    m_windowMode = WindowModes(this);
    m_windowModeLabel = Label(QStringLiteral("Window mode:"), m_windowMode);
    flags->addWidget(m_autoStart);
    flags->addWidget(m_loop);
    // Flash has a window mode where the others have a controller.
    flags->addWidget(m_controller);
    flags->addWidget(m_windowModeLabel);
    flags->addWidget(m_windowMode);
    flags->addStretch();
    layout->addLayout(flags);
    layout->addWidget(OkCancel());
    const bool options = SImportMediaValues::ShowsOptions(kind);
    const bool windowMode = SImportMediaValues::ShowsWindowMode(kind);
    m_autoStart->setVisible(options);
    m_loop->setVisible(options);
    m_controller->setVisible(options && !windowMode);
    m_windowModeLabel->setVisible(windowMode);
    m_windowMode->setVisible(windowMode);
    SetFocusControl(1225, m_file);
    resize(460, 0);
}

void CDlgImportMedia::ShowValues()
{
    SetCaption(this, values.caption, QStringLiteral("Add media"));
    m_prompt->setText(values.prompt.isEmpty() ? QStringLiteral("Sound or movie file location") : values.prompt);
    m_file->setAccessibleName(m_prompt->text());
    m_file->setText(values.file);
    m_autoStart->setChecked(values.autoStart != 0);
    m_loop->setChecked(values.loop != 0);
    m_controller->setChecked(values.displayController != 0);
    m_windowMode->setCurrentIndex(MediaWindowModeIndex(values.windowMode));
}

void CDlgImportMedia::accept()
{
    // What the author typed counts, so the controls are read before the file is required.
    SImportMediaValues read = values;
    read.file = m_file->text();
    if (SImportMediaValues::ShowsOptions(read.kind)) {
        read.autoStart = Flag(m_autoStart);
        read.loop = Flag(m_loop);
        if (SImportMediaValues::ShowsWindowMode(read.kind))
            read.windowMode = m_windowMode->currentText();
        else
            read.displayController = Flag(m_controller);
    }
    if (!Passed(read.Check()))
        return;
    values = read;
    CValueDialog::accept();
}

// ---- DlgAddYouTube ----

DlgAddYouTube::DlgAddYouTube(QWidget *parent) : CValueDialog(parent)
{
    setObjectName(QStringLiteral("DlgAddYouTube"));
    auto *layout = new QVBoxLayout(this);
    auto *top = new QLabel(SYouTubeDialogValues::TopText(), this);
    top->setWordWrap(true);
    layout->addWidget(top);
    m_embed = MultiLine(QStringLiteral("EmbedCode"), QStringLiteral("Embed code"), 6);
    m_embed->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_embed->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The field grows with the dialog; the texts around it keep their lines.
    m_embed->setMinimumHeight(m_embed->height());
    m_embed->setMaximumHeight(QWIDGETSIZE_MAX);
    auto *above = Label(SYouTubeDialogValues::AboveText(), m_embed);
    above->setWordWrap(true);
    layout->addWidget(above);
    layout->addWidget(m_embed);
    auto *below = new QLabel(SYouTubeDialogValues::BelowText(), this);
    below->setWordWrap(true);
    layout->addWidget(below);
    QDialogButtonBox *buttons = OkCancel();
    m_ok = buttons->button(QDialogButtonBox::Ok);
    layout->addWidget(buttons);
    connect(m_embed, &QPlainTextEdit::textChanged, this,
            [this] { m_ok->setEnabled(SYouTubeDialogValues::OkEnabled(m_embed->toPlainText())); });
    SetFocusControl(1325, m_embed);
    resize(480, 320);
}

void DlgAddYouTube::ShowValues()
{
    SetCaption(this, values.caption, QStringLiteral("Add/Edit YouTube"));
    m_embed->setPlainText(values.embedCode);
    m_ok->setEnabled(values.okEnabledAtStart != 0);
}

void DlgAddYouTube::accept()
{
    SYouTubeDialogValues read = values;
    read.embedCode = m_embed->toPlainText();
    read.Correct();
    if (!Passed(read.Check()))
        return;
    values = read;
    CValueDialog::accept();
}

// ---- CDlgUpdateAudio, CDlgUpdateVideo ----

CDlgUpdateAudio::CDlgUpdateAudio(QWidget *parent) : CValueDialog(parent)
{
    setObjectName(QStringLiteral("CDlgUpdateAudio"));
    setWindowTitle(QStringLiteral("Edit media"));
    auto *layout = new QVBoxLayout(this);
    m_file = FileRow(this, layout, QStringLiteral("Sound file location"), QStringLiteral("SoundFile"),
                     QStringLiteral("..."), [] { return MediaDialogText::kSoundFilter; });
    m_autoStart = Check(this, QStringLiteral("Auto-start"), QStringLiteral("AutoStart"));
    m_controls = Check(this, QStringLiteral("Display button controls"), QStringLiteral("ButtonControls"));
    m_loop = Check(this, QStringLiteral("Loop"), QStringLiteral("Loop"));
    for (QCheckBox *box : {m_autoStart, m_controls, m_loop})
        layout->addWidget(box);
    layout->addWidget(OkCancel());
    resize(420, 0);
}

void CDlgUpdateAudio::ShowValues()
{
    m_file->setText(values.file);
    m_autoStart->setChecked(values.autoStart != 0);
    m_controls->setChecked(values.buttonControls != 0);
    m_loop->setChecked(values.loop != 0);
}

void CDlgUpdateAudio::accept()
{
    values.file = m_file->text();
    values.autoStart = Flag(m_autoStart);
    values.buttonControls = Flag(m_controls);
    values.loop = Flag(m_loop);
    CValueDialog::accept();
}

CDlgUpdateVideo::CDlgUpdateVideo(QWidget *parent) : CValueDialog(parent)
{
    setObjectName(QStringLiteral("CDlgUpdateVideo"));
    setWindowTitle(QStringLiteral("Edit media"));
    auto *layout = new QVBoxLayout(this);
    m_file = FileRow(this, layout, QStringLiteral("Movie file location"), QStringLiteral("MovieFile"),
                     QStringLiteral("..."), [] { return MediaDialogText::kMovieFilter; });
    m_autoStart = Check(this, QStringLiteral("Auto-start"), QStringLiteral("AutoStart"));
    m_controller = Check(this, QStringLiteral("Display controller"), QStringLiteral("DisplayController"));
    m_loop = Check(this, QStringLiteral("Loop"), QStringLiteral("Loop"));
    for (QCheckBox *box : {m_autoStart, m_controller, m_loop})
        layout->addWidget(box);
    layout->addWidget(OkCancel());
    resize(420, 0);
}

void CDlgUpdateVideo::ShowValues()
{
    m_file->setText(values.file);
    m_autoStart->setChecked(values.autoStart != 0);
    m_controller->setChecked(values.displayController != 0);
    m_loop->setChecked(values.loop != 0);
}

void CDlgUpdateVideo::accept()
{
    values.file = m_file->text();
    values.autoStart = Flag(m_autoStart);
    values.displayController = Flag(m_controller);
    values.loop = Flag(m_loop);
    CValueDialog::accept();
}

// ---- Recorder ----

std::unique_ptr<CRecorder> MakeWindowRecorder(CPrompt &prompt) { return std::make_unique<CQtAudioRecorder>(prompt); }
