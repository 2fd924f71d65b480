#include "app/ui/ChildDlgBackground.h"

#include "app/BackgroundPageRules.h"
#include "platform/ui/FileDialogs.h"
#include "app/ui/PageControls.h"
#include "app/ui/controls/ColorSelectButton.h"
#include "app/ui/controls/ImageStatic.h"
#include "document/CorvessaDoc.h"
#include "platform/Prompt.h"
#include "image/xImage.h"
#include "model/PictureFiles.h"
#include "platform/PathUtil.h"
#include "platform/StringTable.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace CorvPageControls;
using CorvBackgroundPage::SetBarHidden;

namespace {

using S = CCourseSettings;

struct BarField
{
    const char *caption;
    int32_t S::*setting;
};

// In the order of CChildDlgBackground::BarBox.
constexpr BarField kBars[] = {
    {"Swap the positions of the Top and Navigation bars", &S::SwapTopAndNavigationBars},
    {"Hide the Top bar", &S::HideTopBar},
    {"Remove the space used by the Top bar", &S::RemoveTopBarSpace},
    {"Hide the Navigation bar", &S::HideNavigationBar},
    {"Remove the space used by the Navigation bar", &S::RemoveNavigationBarSpace},
};

} // namespace

CChildDlgBackground::CChildDlgBackground(CCorvessaDoc &document, QWidget *parent) : CSettingsPage(document, parent)
{
    BuildControls();
}

void CChildDlgBackground::BuildControls()
{
    m_use = new QCheckBox(QStringLiteral("Background"), this);
    m_use->setAccessibleName(QStringLiteral("Use a background of the course's own"));
    auto *background = new QGroupBox(CStringTable::Load(10300), this);
    auto *intro = Explanation(CStringTable::Load(10301), background);
    m_colour = new CColorSelectButton(background);
    m_colour->SetColor(0xFFFFFF);
    auto *colourLabel = Caption(CStringTable::Load(10302), m_colour, background);
    m_colour->setAccessibleName(QStringLiteral("Background color"));
    auto *pictureIntro = Explanation(CStringTable::Load(10303), background);
    m_background = new QLineEdit(background);
    auto *pictureLabel = Caption(CStringTable::Load(10304), m_background, background);
    m_backgroundBrowse = new QPushButton(QStringLiteral("Browse..."), background);
    m_backgroundBrowse->setAccessibleName(QStringLiteral("Browse for a background image"));
    m_tile = new QCheckBox(CStringTable::Load(10306), background);
    m_preview = new CImageStatic(background);
    m_preview->SetStretch(false);
    m_preview->setFixedSize(144, 80);
    m_preview->setAccessibleName(QStringLiteral("Background image preview"));
    auto *backgroundGrid = new QGridLayout(background);
    backgroundGrid->addWidget(m_use, 0, 0, 1, 3);
    backgroundGrid->addWidget(intro, 1, 0, 1, 3);
    backgroundGrid->addWidget(colourLabel, 2, 0);
    backgroundGrid->addWidget(m_colour, 2, 1, Qt::AlignLeft);
    backgroundGrid->addWidget(pictureIntro, 3, 0, 1, 3);
    backgroundGrid->addWidget(pictureLabel, 4, 0);
    backgroundGrid->addWidget(m_background, 4, 1);
    backgroundGrid->addWidget(m_backgroundBrowse, 4, 2);
    backgroundGrid->addWidget(m_tile, 5, 1);
    backgroundGrid->addWidget(m_preview, 5, 2, 2, 1, Qt::AlignRight);
    backgroundGrid->setColumnStretch(1, 1);
    m_backgroundControls = {intro, m_colour, colourLabel, m_background, m_backgroundBrowse, pictureIntro,
                            pictureLabel, m_tile, m_preview};

    auto *logo = new QGroupBox(CStringTable::Load(10307), this);
    m_logo = new QLineEdit(logo);
    m_logo->setReadOnly(true);
    m_logoBrowse = new QPushButton(QStringLiteral("Browse..."), logo);
    m_logoBrowse->setAccessibleName(QStringLiteral("Browse for a logo"));
    m_logoClear = new QPushButton(QStringLiteral("Clear"), logo);
    m_logoClear->setAccessibleName(QStringLiteral("Clear the logo"));
    auto *logoGrid = new QGridLayout(logo);
    logoGrid->addWidget(Explanation(CStringTable::Load(10308), logo), 0, 0, 1, 4);
    logoGrid->addWidget(Caption(CStringTable::Load(10307), m_logo, logo), 1, 0);
    logoGrid->addWidget(m_logo, 1, 1);
    logoGrid->addWidget(m_logoBrowse, 1, 2);
    logoGrid->addWidget(m_logoClear, 1, 3);
    logoGrid->setColumnStretch(1, 1);

    auto *bars = new QGroupBox(QStringLiteral("Top and Navigation Bars     "), this);
    auto *barGrid = new QGridLayout(bars);
    for (int i = 0; i < BarBoxCount; ++i) {
        auto *box = new QCheckBox(QString::fromLatin1(kBars[i].caption), bars);
        m_bars.append(box);
        // The "Remove the space" boxes sit under their "Hide" box.
        barGrid->addWidget(box, i, i == RemoveTop || i == RemoveNavigation ? 1 : 0, 1, 2);
    }
    barGrid->setColumnMinimumWidth(0, 20);
    m_help = new QPushButton(QStringLiteral("?"), bars);
    m_help->setAccessibleName(QStringLiteral("Help on the bars"));
    m_help->setFixedWidth(32);
    barGrid->addWidget(m_help, 0, 3, Qt::AlignRight);
    barGrid->setColumnStretch(2, 1);

    auto *layout = new QVBoxLayout(ScrollingBody(this));
    layout->addWidget(background);
    layout->addWidget(logo);
    layout->addWidget(bars);
    layout->addStretch(1);

    connect(m_use, &QCheckBox::clicked, this, &CChildDlgBackground::OnUseClicked);
    connect(m_colour, &CColorSelectButton::colourClicked, this, &CChildDlgBackground::OnColourClicked);
    connect(m_background, &QLineEdit::textChanged, this, [this] {
        StoreText(Document(), Document().MutableSettings().BgImage, m_background->text());
    });
    connect(m_background, &QLineEdit::editingFinished, this, &CChildDlgBackground::OnBackgroundEdited);
    connect(m_backgroundBrowse, &QPushButton::clicked, this, [this] { OnBrowse(false); });
    connect(m_tile, &QCheckBox::clicked, this,
            [this](bool on) { StoreFlag(Document(), Document().MutableSettings().UseBgImgTile, on); });
    connect(m_logoBrowse, &QPushButton::clicked, this, [this] { OnBrowse(true); });
    connect(m_logoClear, &QPushButton::clicked, this, &CChildDlgBackground::OnClearLogo);
    for (BarBox box : {Swap, RemoveTop, RemoveNavigation})
        connect(m_bars[box], &QCheckBox::clicked, this,
                [this, box](bool on) { StoreFlag(Document(), Document().MutableSettings().*kBars[box].setting, on); });
    connect(m_bars[HideTop], &QCheckBox::clicked, this, [this](bool on) { OnHideClicked(true, on); });
    connect(m_bars[HideNavigation], &QCheckBox::clicked, this, [this](bool on) { OnHideClicked(false, on); });
    connect(m_help, &QPushButton::clicked, this,
            [this] { Document().Prompt().Information(CorvBackgroundPage::HelpText()); });
}

void CChildDlgBackground::ResetToDefaults()
{
    CCourseSettings &settings = Document().MutableSettings();
    settings.UseCustomBackground = 0;
    settings.BgColor = 0xFFFFFF;
    settings.BgImage.clear();
    settings.UseBgImgTile = 0;
    settings.LogoImage.clear();
    RefreshFromDocument();
}

void CChildDlgBackground::RefreshFromDocument()
{
    const CCourseSettings &settings = Document().Settings();
    ShowChecked(m_use, settings.UseCustomBackground != 0);
    ApplyEnabling();
    m_colour->SetColor(settings.BgColor);
    ShowText(m_background, settings.BgImage);
    ShowChecked(m_tile, settings.UseBgImgTile != 0);
    ShowText(m_logo, settings.LogoImage);
    ShowBars();
    ShowBackgroundPicture();
}

void CChildDlgBackground::ApplyEnabling()
{
    for (QWidget *control : m_backgroundControls)
        control->setEnabled(m_use->isChecked());
}

void CChildDlgBackground::ShowBars()
{
    const CCourseSettings &settings = Document().Settings();
    ShowChecked(m_bars[Swap], settings.SwapTopAndNavigationBars != 0);
    for (const auto &[hide, remove] : {std::pair(HideTop, RemoveTop), std::pair(HideNavigation, RemoveNavigation)}) {
        const bool hidden = settings.*kBars[hide].setting != 0;
        ShowChecked(m_bars[hide], hidden);
        ShowChecked(m_bars[remove], hidden && settings.*kBars[remove].setting != 0);
        m_bars[remove]->setEnabled(hidden);
    }
}

void CChildDlgBackground::ShowBackgroundPicture()
{
    const QString path = Document().Settings().BgImage;
    if (path == m_shownPicture && !m_preview->Bitmap().isNull())
        return;
    m_shownPicture = path;
    CxImage picture;
    const bool loaded = !path.isEmpty() && PictureFiles::Load(picture, path, 0);
    m_preview->SetBitmap(loaded ? PictureFiles::ToDisplayImage(picture) : QImage());
}

void CChildDlgBackground::OnUseClicked(bool checked)
{
    StoreFlag(Document(), Document().MutableSettings().UseCustomBackground, checked);
    ApplyEnabling();
}

void CChildDlgBackground::OnColourClicked()
{
    uint32_t &setting = Document().MutableSettings().BgColor;
    if (m_colour->GetColor() == setting)
        return;
    setting = m_colour->GetColor();
    Document().SetModifiedFlag();
}

void CChildDlgBackground::OnBackgroundEdited()
{
    StoreText(Document(), Document().MutableSettings().BgImage, m_background->text());
    ShowBackgroundPicture();
}

void CChildDlgBackground::OnBrowse(bool logo)
{
    QLineEdit *edit = logo ? m_logo : m_background;
    CFileDialogs &dialogs = m_dialogs ? *m_dialogs : CFileDialogs::Native();
    const QString chosen = dialogs.GetOpenFileName(
        this, logo ? QStringLiteral("Logo") : CStringTable::Load(10304), CorvPath::FolderOf(edit->text()),
        logo ? CorvBackgroundPage::LogoFilter() : CorvBackgroundPage::BackgroundFilter());
    if (chosen.isEmpty())
        return;
    ShowText(edit, chosen);
    StoreText(Document(), logo ? Document().MutableSettings().LogoImage : Document().MutableSettings().BgImage, chosen);
    if (!logo)
        ShowBackgroundPicture();
}

void CChildDlgBackground::OnClearLogo()
{
    ShowText(m_logo, QString());
    // Clearing is a change the author must be asked to save.
    StoreText(Document(), Document().MutableSettings().LogoImage, QString());
}

void CChildDlgBackground::OnHideClicked(bool top, bool checked)
{
    SetBarHidden(Document().MutableSettings(), top ? CorvBackgroundPage::TopBar : CorvBackgroundPage::NavigationBar,
                 checked);
    Document().SetModifiedFlag();
    QCheckBox *remove = m_bars[top ? RemoveTop : RemoveNavigation];
    if (!checked)
        ShowChecked(remove, false);
    remove->setEnabled(checked);
}
