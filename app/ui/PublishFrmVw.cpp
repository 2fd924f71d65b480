#include "app/ui/PublishFrmVw.h"

#include "app/ui/ToolbarArt.h"
#include "app/ui/controls/RolloverButton.h"

#include "app/CommandIds.h"
#include "app/EditViewApi.h"
#include "app/ui/DlgProgress.h"
#include "document/CorvessaDoc.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <exception>
#include <memory>

namespace {

struct KindRow {
    int command;
    const char *caption;
    int description;
};

// By kind: the button's command, its caption and its description.
const KindRow kKinds[] = {
    {CorvCommand::PublishStandaloneButton, "Standalone", 25020},
    {CorvCommand::PublishLanButton, "LAN-based Database", 25021},
    {CorvCommand::PublishWebButton, "Web-based Database", 25022},
    {CorvCommand::PublishLmsButton, "Learning Management System", 25023},
};

// The small buttons: the preview, then the open-folder button of each kind. Their tips are the string
// table's entries of the same numbers.
constexpr int kPreviewButton = 1527;
constexpr int kOpenFolderButtons[] = {1528, 1529, 1530, 1531};
constexpr int kPreviewKind = -1;

void OpenWithDesktop(const QString &path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

// A browser that ends this soon after it was started has not shown the page.
constexpr qint64 kBrowserStartMs = 15000;

// The page in the desktop's browser, started through xdg-open and watched while it starts: a browser that
// refuses to run (Chromium started as root) ends at once, and the author is told so with what it said. A
// browser that runs is left running when the program ends.
void OpenInBrowser(const QString &path, QPointer<QWidget> owner, CPrompt &prompt)
{
    auto *process = new QProcess; // no parent: the browser outlives the window
    process->setProcessChannelMode(QProcess::MergedChannels);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(process, &QProcess::finished, process,
                     [process, path, owner, started, &prompt](int code, QProcess::ExitStatus status) {
                         process->deleteLater();
                         if ((status == QProcess::NormalExit && code == 0) || !owner ||
                             started->elapsed() > kBrowserStartMs)
                             return;
                         QString said = QString::fromLocal8Bit(process->readAll()).trimmed();
                         if (said.size() > 800)
                             said = said.right(800);
                         prompt.Error(QStringLiteral("The browser could not show the page\n%1\n%2")
                                          .arg(QDir::toNativeSeparators(path),
                                               said.isEmpty() ? QStringLiteral("It ended with status %1.").arg(code)
                                                              : said));
                     });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, path, owner](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        process->deleteLater();
        // Without xdg-open the desktop's own way is tried.
        if (owner)
            OpenWithDesktop(path);
    });
    process->start(QStringLiteral("xdg-open"), {QUrl::fromLocalFile(path).toString()});
}

} // namespace

CPublishFrmVw::CPublishFrmVw(CCorvessaDoc &document, CEditViewApi &editView,
                                           const CCharacterSubstitutions *specialCharacters,
                                           std::function<bool()> saveProject, QWidget *parent)
    : QWidget(parent),
      m_controller(document, &editView.GetTreeCtrl(),
                   {std::move(saveProject), OpenWithDesktop,
                    [this, &document](const QString &path) { OpenInBrowser(path, this, document.Prompt()); },
                    [this](bool on) { Busy(on); }, {}}),
      m_compatibility(new QCheckBox(this)), m_description(new QLabel(this))
{
    m_controller.SetSpecialCharacters(specialCharacters);
    setObjectName(QStringLiteral("PublishView"));
    setAccessibleName(QStringLiteral("Publish"));
    auto *heading = new QLabel(QStringLiteral("Publishing options"), this);
    QFont font = heading->font();
    font.setPointSize(font.pointSize() + 2);
    font.setWeight(QFont::DemiBold);
    heading->setFont(font);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(new QLabel(CStringTable::Load(25000), this));
    layout->addWidget(new QLabel(QStringLiteral("Note: To change the default publish directories go to the menu item "
                                                "File -> Preferences -> Publish settings..."),
                                 this));
    m_compatibility->setText(QStringLiteral(
        "Set compatibility mode, allow Internet Explorer 8 to display pages emulating Internet Explorer 7"));
    layout->addWidget(m_compatibility);

    auto *buttons = new QHBoxLayout;
    for (int kind = Standalone; kind <= Lms; ++kind)
        buttons->addWidget(MakeKindColumn(kind));
    buttons->addStretch(1);
    layout->addLayout(buttons);

    auto *frame = new QGroupBox(this);
    auto *frameLayout = new QVBoxLayout(frame);
    m_description->setWordWrap(true);
    m_description->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_description->setMinimumHeight(110);
    m_description->setAccessibleName(QStringLiteral("Description of the kind of publishing"));
    frameLayout->addWidget(m_description);
    layout->addWidget(frame);
    layout->addStretch(1);

    // The setting is kept in the project file, so changing it is a change the author may want to save.
    connect(m_compatibility, &QCheckBox::toggled, this, [this](bool on) {
        m_controller.Document().MutableSettings().EmulateIE7 = on ? 1 : 0;
        m_controller.Document().SetModifiedFlag();
    });
    RefreshFromDocument();
    UpdateSmallButtons();
}

// A publish button with its caption, and under it the open-folder button (and, for the standalone kind,
// the preview button).
QWidget *CPublishFrmVw::MakeKindColumn(int kind)
{
    auto *column = new QWidget(this);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    // The picture on the button, the kind's name under it; resting on the button (or reaching it with Tab)
    // describes the kind below.
    auto *button = new CRolloverButton(QString(), column);
    button->SetControlId(kKinds[kind].command);
    button->setIcon(QIcon(QPixmap::fromImage(CorvToolbarArt::PublishPicture(kind))));
    button->setIconSize(QSize(72, 56));
    button->setObjectName(QStringLiteral("PublishButton%1").arg(kKinds[kind].command));
    button->setAccessibleName(QStringLiteral("Publish: %1").arg(QString::fromLatin1(kKinds[kind].caption)));
    button->setFixedSize(132, 80);
    connect(button, &QPushButton::clicked, this, [this, kind] { Publish(Kind(kind)); });
    connect(button, &CRolloverButton::rolloverHover, this, [this, kind] {
        m_description->setText(CStringTable::Load(kKinds[kind].description));
    });
    connect(button, &CRolloverButton::rolloverLeave, m_description, &QLabel::clear);
    m_buttons.insert(kind, button);
    layout->addWidget(button, 0, Qt::AlignHCenter);
    auto *name = new QLabel(QString::fromLatin1(kKinds[kind].caption), column);
    name->setAlignment(Qt::AlignHCenter);
    name->setBuddy(button);
    layout->addWidget(name);

    auto *row = new QHBoxLayout;
    const auto small = [&](int id, int key, const QString &text, const QString &accessible) {
        auto *b = new QToolButton(column);
        b->setText(text);
        b->setObjectName(QStringLiteral("PublishButton%1").arg(id));
        b->setToolTip(CStringTable::Load(id));
        b->setAccessibleName(accessible);
        connect(b, &QToolButton::clicked, this, [this, id] { OnCommand(id); });
        m_smallButtons.insert(key, b);
        row->addWidget(b);
    };
    const QString caption = QString::fromLatin1(kKinds[kind].caption);
    if (kind == Standalone)
        small(kPreviewButton, kPreviewKind, QStringLiteral("->"), QStringLiteral("Preview published course"));
    row->addStretch(1);
    small(kOpenFolderButtons[kind], kind, QStringLiteral("<"), QStringLiteral("Open folder: %1").arg(caption));
    layout->addLayout(row);
    return column;
}

void CPublishFrmVw::RefreshFromDocument()
{
    const QSignalBlocker quiet(m_compatibility);
    m_compatibility->setChecked(m_controller.Document().Settings().EmulateIE7 != 0);
}

void CPublishFrmVw::UpdateSmallButtons()
{
    for (int kind = Standalone; kind <= Lms; ++kind)
        m_smallButtons.value(kind)->setEnabled(m_controller.HasPublished(CPublishController::Kind(kind)));
    m_smallButtons.value(kPreviewKind)->setEnabled(m_controller.HasPublished(CPublishController::Standalone));
}

bool CPublishFrmVw::OnCommand(int commandId)
{
    for (int kind = Standalone; kind <= Lms; ++kind) {
        if (kKinds[kind].command == commandId) {
            Publish(Kind(kind));
            return true;
        }
        if (kOpenFolderButtons[kind] == commandId) {
            m_controller.OpenPublishedFolder(CPublishController::Kind(kind));
            return true;
        }
    }
    if (commandId == kPreviewButton) {
        m_controller.PreviewPublished();
        return true;
    }
    return false;
}

void CPublishFrmVw::Busy(bool on)
{
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        return;
    }
    QApplication::restoreOverrideCursor();
}

void CPublishFrmVw::Publish(Kind kind)
{
    // The progress window goes when the whole publish ends, saves and nested runs included, by any path.
    const CDlgProgress::Scope progress(m_progress);
    try {
        m_controller.Publish(CPublishController::Kind(kind));
    } catch (const std::exception &e) {
        // A publish that could not finish must not take the window with it.
        m_controller.Document().Prompt().Error(CStringTable::Load(35061) + u'\n' + QString::fromLocal8Bit(e.what()));
    }
    UpdateSmallButtons();
}

void CPublishFrmVw::PreviewScreen(CCorvPage *screen)
{
    const CDlgProgress::Scope progress(m_progress);
    try {
        m_controller.PreviewScreen(screen);
    } catch (const std::exception &e) {
        // A preview that could not finish must not take the program with it.
        m_controller.Document().Prompt().Error(CStringTable::Load(35061) + u'\n' + QString::fromLocal8Bit(e.what()));
    }
}
