#include "app/ui/PublishCommandsView.h"

#include "app/CommandIds.h"
#include "app/ui/EditViewApi.h"
#include "app/ui/ProgressDialog.h"
#include "document/CorvessaDoc.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/PathUtil.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "publish/CoursePublisher.h"
#include "publish/PublishText.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The wait cursor while a driver runs; a message box shows the arrow over it (CMessageBoxPrompt).
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

struct KindRow {
    int command;
    const char *caption;
    int description;
    const char *suffix;
};

// By kind: the button's command, its caption, its description and the folder made beside the project.
const KindRow kKinds[] = {
    {CorvCommand::PublishStandaloneButton, "Standalone", 25020, " Published files/Standalone"},
    {CorvCommand::PublishLanButton, "LAN-based Database", 25021, " Published files/Lan-based database"},
    {CorvCommand::PublishWebButton, "Web-based Database", 25022, " Published files/Web-based database"},
    {CorvCommand::PublishLmsButton, "Learning Management System", 25023, " Published files/LMS"},
};

constexpr int kMissingFolderMessage = 61482;
constexpr int kDensityMessage = 35056;
constexpr int kAspDoneMessage = 35009;

// The project file's name without its extension.
QString ProjectTitle(const QString &path)
{
    QString title;
    GetFileNameFromPath(path, title, false);
    return title;
}

} // namespace

CPublishCommandsView::CPublishCommandsView(CCorvessaDoc &document, CEditViewApi &editView,
                                           const CCharacterSubstitutions *specialCharacters,
                                           std::function<bool()> saveProject, QWidget *parent)
    : QWidget(parent), m_document(document), m_editView(editView), m_specialCharacters(specialCharacters),
      m_saveProject(std::move(saveProject)), m_compatibility(new QCheckBox(this)), m_description(new QLabel(this))
{
    setObjectName(QStringLiteral("PublishView"));
    auto *heading = new QLabel(QStringLiteral("Publishing options"), this);
    QFont font = heading->font();
    font.setPointSize(font.pointSize() + 2);
    font.setWeight(QFont::DemiBold);
    heading->setFont(font);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(new QLabel(CStringTable::Load(25000), this));
    m_compatibility->setText(QStringLiteral(
        "Set compatibility mode, allow Internet Explorer 8 to display pages emulating Internet Explorer 7"));
    layout->addWidget(m_compatibility);

    auto *buttons = new QHBoxLayout;
    for (int kind = Standalone; kind <= Lms; ++kind) {
        auto *button = new QToolButton(this);
        button->setText(QString::fromLatin1(kKinds[kind].caption));
        button->setObjectName(QStringLiteral("PublishButton%1").arg(kKinds[kind].command));
        button->setMinimumSize(150, 80);
        button->installEventFilter(this);
        connect(button, &QToolButton::clicked, this, [this, kind] { Publish(Kind(kind)); });
        m_buttons.insert(kind, button);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);

    auto *frame = new QGroupBox(this);
    auto *frameLayout = new QVBoxLayout(frame);
    m_description->setWordWrap(true);
    m_description->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_description->setMinimumHeight(110);
    frameLayout->addWidget(m_description);
    layout->addWidget(frame);
    layout->addStretch(1);

    // The setting is kept in the project file, so changing it is a change the author may want to save.
    connect(m_compatibility, &QCheckBox::toggled, this, [this](bool on) {
        m_document.EmulateIE7 = on ? 1 : 0;
        m_document.SetModifiedFlag();
    });
    RefreshFromDocument();
}

void CPublishCommandsView::RefreshFromDocument()
{
    const QSignalBlocker quiet(m_compatibility);
    m_compatibility->setChecked(m_document.EmulateIE7 != 0);
}

bool CPublishCommandsView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
        const int kind = m_buttons.key(qobject_cast<QToolButton *>(watched), -1);
        if (kind >= 0)
            m_description->setText(event->type() == QEvent::Enter ? CStringTable::Load(kKinds[kind].description)
                                                                   : QString());
    }
    return QWidget::eventFilter(watched, event);
}

bool CPublishCommandsView::OnCommand(int commandId)
{
    for (int kind = Standalone; kind <= Lms; ++kind)
        if (kKinds[kind].command == commandId) {
            Publish(Kind(kind));
            return true;
        }
    return false;
}

bool CPublishCommandsView::TooFewQuestions() const
{
    if (m_document.WarnInteractTooLow != 1)
        return false;
    int content = 0;
    int questions = 0;
    for (const auto &screen : m_document.MainScreenList) {
        content += screen->GetPageType() == pt_document;
        questions += screen->GetPageType() == pt_question;
    }
    const int ratio = questions == 0 ? content : content / questions;
    return ratio > m_document.ContentScreenCount;
}

QString CPublishCommandsView::OutputFolder(Kind kind) const
{
    const QString path = m_document.GetPathName();
    const QString title = ProjectTitle(path);
    const QString custom = m_document.OutputFolder[kind];
    if (m_document.UseDefaultOutputFolder[kind] == 1 || custom.isEmpty())
        return CorvPath::FolderOf(CorvPath::ToSlashes(path)) + u'/' + title + QString::fromLatin1(kKinds[kind].suffix);
    if (!QFileInfo(CorvPath::ToSlashes(custom)).isDir()) {
        m_document.Prompt().Error(CStringTable::Load(kMissingFolderMessage));
        return {};
    }
    // A custom standalone folder holds the course's own folder; the other kinds publish into it directly.
    if (kind == Standalone)
        return CorvPath::Join(CorvPath::ToSlashes(custom), title + QString::fromLatin1(kKinds[kind].suffix));
    return CorvPath::ToSlashes(custom);
}

bool CPublishCommandsView::Prepare()
{
    CPrompt &prompt = m_document.Prompt();
    for (const auto &screen : m_document.MainScreenList)
        screen->CheckLinks(m_document, 0, prompt);
    if (m_nestedWebRun)
        return true;
    if (TooFewQuestions() && prompt.YesNo(CStringTable::Load(kDensityMessage).arg(m_document.ContentScreenCount)))
        return false;
    return m_saveProject && m_saveProject();
}

QString CPublishCommandsView::ProjectPrefix() const
{
    QString prefix = ProjectTitle(m_document.GetPathName());
    SanitizeProjectPrefix(prefix);
    return prefix;
}

void CPublishCommandsView::PublishWeb(int lessonMode)
{
    bool aspDone = false;
    QString folder;
    {
        // The progress window goes before the closing message, and on every way out before it.
        const CProgressDialog::Scope progress(m_progress);
        if (!Prepare())
            return;
        folder = OutputFolder(Web);
        m_lastWebFolder = folder;
        if (folder.isEmpty())
            return;
        const WaitCursor busy;
        CCoursePublisher publisher(m_document, folder, ProjectPrefix(), &m_editView.GetTreeCtrl());
        publisher.SetSpecialCharacters(m_specialCharacters);
        if (m_document.UseASP == 1)
            aspDone = publisher.PublishWebDatabaseAsp(lessonMode);
        else
            publisher.PublishWebDatabasePhp();
    }
    if (aspDone && !m_nestedWebRun)
        m_document.Prompt().Information(CStringTable::Load(kAspDoneMessage).arg(folder));
}

void CPublishCommandsView::Publish(Kind kind)
{
    if (kind == Web) {
        PublishWeb(0);
        return;
    }
    const CProgressDialog::Scope progress(m_progress);
    if (!Prepare())
        return;
    const QString folder = OutputFolder(kind);
    if (folder.isEmpty())
        return;
    const bool lessonFolder = kind == Lms && m_document.UseOstrelle == 1;
    if (lessonFolder) {
        // The lesson is made from a web-database course with ASP pages, published first.
        const int useAsp = m_document.UseASP;
        m_document.UseASP = 1;
        m_nestedWebRun = true;
        PublishWeb(1);
        m_nestedWebRun = false;
        m_document.UseASP = useAsp;
    }
    {
        const WaitCursor busy;
        CCoursePublisher publisher(m_document, folder, ProjectPrefix(), &m_editView.GetTreeCtrl());
        publisher.SetSpecialCharacters(m_specialCharacters);
        switch (kind) {
        case Standalone: publisher.PublishStandalone(); break;
        case Lan: publisher.PublishLanDatabase(); break;
        case Lms:
            if (lessonFolder)
                publisher.PublishLessonFolder(m_lastWebFolder);
            else
                publisher.PublishLms();
            break;
        case Web: break;
        }
    }
}
