#include "app/ui/ChildDlgManagement.h"

#include "app/ManagementRules.h"
#include "app/ui/PropPageManagementLAN.h"
#include "app/ui/PropPageManagementLMS.h"
#include "app/ui/PropPageManagementWeb.h"
#include "app/ui/SettingsPageControls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace CorvPageControls;
using namespace CorvManagementRules;

CChildDlgManagement::CChildDlgManagement(CCorvessaDoc &document, QWidget *parent) : CSettingsPage(document, parent)
{
    BuildControls();
}

void CChildDlgManagement::BuildControls()
{
    m_recordData = Make<QCheckBox>(QStringLiteral("Record data"), this);
    m_resume = Make<QCheckBox>(QStringLiteral("Prompt users to resume from where they left off"), this);
    m_resume->setEnabled(false);
    m_signIn = Make<QCheckBox>(QStringLiteral("Sign in"), this);
    m_selfRegister = Make<QCheckBox>(QStringLiteral("Users may self register"), this);
    m_required = new QLabel(QStringLiteral("User information required for sign in"), this);
    m_typeHeading = new QLabel(QStringLiteral("Type"), this);
    m_labelHeading = new QLabel(QStringLiteral("Label"), this);
    m_name = Make<QCheckBox>(QStringLiteral("Name"), this);
    m_id = Make<QCheckBox>(QStringLiteral("ID"), this);
    m_password = Make<QCheckBox>(QStringLiteral("Password"), this);
    m_nameLabel = MakeEdit(QStringLiteral("Name label"), this);
    m_idLabel = MakeEdit(QStringLiteral("ID label"), this);
    m_passwordLabel = MakeEdit(QStringLiteral("Password label"), this);
    m_email = Make<QCheckBox>(QStringLiteral("Enable emailing of notifications"), this);
    m_emailAddress = MakeEdit(QStringLiteral("Email address"), this);

    m_sheet = new QTabWidget(this);
    m_sheet->setObjectName(QStringLiteral("ManagementSheet"));
    m_sheet->setAccessibleName(QStringLiteral("Publish targets"));
    m_lan = new CPropPageManagementLAN(Document(), m_sheet);
    m_web = new CPropPageManagementWeb(Document(), m_sheet);
    m_lms = new CPropPageManagementLMS(Document(), m_sheet);
    m_sheet->addTab(m_lan, QStringLiteral("LAN-based database"));
    m_sheet->addTab(m_web, QStringLiteral("Web-based database"));
    m_sheet->addTab(m_lms, QStringLiteral("             LMS             "));

    auto *grid = new QGridLayout;
    grid->addWidget(m_recordData, 0, 0, 1, 2);
    grid->addWidget(m_resume, 1, 0, 1, 3);
    grid->addWidget(m_signIn, 2, 0);
    grid->addWidget(m_selfRegister, 2, 1, 1, 2);
    grid->addWidget(m_required, 3, 0, 1, 3);
    grid->addWidget(m_typeHeading, 4, 0);
    grid->addWidget(m_labelHeading, 4, 1);
    grid->addWidget(m_name, 5, 0);
    grid->addWidget(m_nameLabel, 5, 1);
    grid->addWidget(m_id, 6, 0);
    grid->addWidget(m_idLabel, 6, 1);
    grid->addWidget(m_password, 7, 0);
    grid->addWidget(m_passwordLabel, 7, 1);
    grid->addWidget(m_email, 8, 0);
    grid->addWidget(m_emailAddress, 8, 1, 1, 2);
    grid->setColumnStretch(2, 1);
    auto *layout = new QVBoxLayout(ScrollingBody(this));
    layout->addLayout(grid);
    layout->addWidget(m_sheet, 1);

    connect(m_recordData, &QCheckBox::clicked, this, [this](bool on) {
        Document().MutableSettings().RecordData = Flag(on);
        Document().SetModifiedFlag();
        ApplyResumeRule();
    });
    connect(m_resume, &QCheckBox::clicked, this, [this](bool on) { OnFlagClicked(&CCourseSettings::AllowResume, on); });
    connect(m_signIn, &QCheckBox::clicked, this, [this](bool on) { OnFlagClicked(&CCourseSettings::SignIn, on); });
    connect(m_selfRegister, &QCheckBox::clicked, this,
            [this](bool on) { OnFlagClicked(&CCourseSettings::MaySelfRegister, on); });
    connect(m_name, &QCheckBox::clicked, this, [this](bool on) { OnFlagClicked(&CCourseSettings::UseSignInName, on); });
    connect(m_id, &QCheckBox::clicked, this, [this](bool on) { OnFlagClicked(&CCourseSettings::UseSignInID, on); });
    connect(m_password, &QCheckBox::clicked, this,
            [this](bool on) { OnFlagClicked(&CCourseSettings::UseSignInPassword, on); });
    connect(m_email, &QCheckBox::clicked, this, [this](bool on) { OnFlagClicked(&CCourseSettings::UseSendEmail, on); });
    const std::pair<QLineEdit *, QString CCourseSettings::*> texts[] = {
        {m_nameLabel, &CCourseSettings::SignInName},
        {m_idLabel, &CCourseSettings::SignInID},
        {m_passwordLabel, &CCourseSettings::SignInPassword},
        {m_emailAddress, &CCourseSettings::EmailAddress},
    };
    for (const auto &[edit, setting] : texts)
        connect(edit, &QLineEdit::textChanged, this,
                [this, setting](const QString &text) { Store(Document(), Document().MutableSettings().*setting, text); });
}

void CChildDlgManagement::OnFlagClicked(int32_t CCourseSettings::*setting, bool on)
{
    Document().MutableSettings().*setting = Flag(on);
    Document().SetModifiedFlag();
    ApplySignInStates();
}

void CChildDlgManagement::ResetToDefaults()
{
    // The sheet's tabs write their reset values first, as they are made before this page's own.
    m_lms->ResetToDefaults();
    m_web->ResetToDefaults();
    m_lan->ResetToDefaults();
    m_sheet->setCurrentIndex(0);
    ResetManagement(Document().MutableSettings());
    RefreshFromDocument();
}

void CChildDlgManagement::RefreshFromDocument()
{
    const CCourseSettings &s = Document().Settings();
    ShowChecked(m_recordData, s.RecordData != 0);
    ShowChecked(m_signIn, s.SignIn != 0);
    ShowChecked(m_selfRegister, s.MaySelfRegister != 0);
    ShowChecked(m_name, s.UseSignInName != 0);
    ShowChecked(m_id, s.UseSignInID != 0);
    ShowChecked(m_password, s.UseSignInPassword != 0);
    ApplySignInStates();
    ShowText(m_nameLabel, s.SignInName);
    ShowText(m_idLabel, s.SignInID);
    ShowText(m_passwordLabel, s.SignInPassword);
    ShowChecked(m_email, s.UseSendEmail != 0);
    ShowText(m_emailAddress, s.EmailAddress);
    ApplyResumeRule();
    m_lan->RefreshFromDocument();
    m_web->RefreshFromDocument();
    m_lms->RefreshFromDocument();
}

void CChildDlgManagement::ApplyResumeRule()
{
    const ResumeState resume = CorvManagementRules::ApplyResumeRule(Document().MutableSettings());
    ShowChecked(m_resume, resume.checked);
    m_resume->setEnabled(resume.enabled);
}

void CChildDlgManagement::ApplySignInStates()
{
    const SignInState states = SignInStates(Document().Settings());
    Enable({m_required, m_selfRegister, m_typeHeading, m_labelHeading, m_name, m_id, m_password}, states.fields);
    m_nameLabel->setEnabled(states.nameLabel);
    m_idLabel->setEnabled(states.idLabel);
    m_passwordLabel->setEnabled(states.passwordLabel);
    m_emailAddress->setEnabled(Document().Settings().UseSendEmail != 0);
}

void CChildDlgManagement::CommitPendingEdits()
{
    m_web->CommitPendingEdits();
    m_lms->CommitPendingEdits();
}
