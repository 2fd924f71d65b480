#pragma once

#include "app/ui/SettingsPage.h"

#include <cstdint>

class CCourseSettings;

class CPropPageManagementLAN;
class CPropPageManagementLMS;
class CPropPageManagementWeb;
class QCheckBox;
class QLabel;
class QLineEdit;
class QTabWidget;

// The Management page of the Settings window: what a published course records about its learners (results,
// resuming, sign-in with its fields and labels, self-registration, e-mailed notifications) and, below, the
// management sheet with the LAN database, web database and LMS tabs.
class CChildDlgManagement : public CSettingsPage
{
    Q_OBJECT
public:
    explicit CChildDlgManagement(CCorvessaDoc &document, QWidget *parent = nullptr);

    void ResetToDefaults() override;
    void RefreshFromDocument() override;
    void CommitPendingEdits() override;

    QTabWidget *Sheet() const { return m_sheet; }
    CPropPageManagementLAN *LanPage() const { return m_lan; }
    CPropPageManagementWeb *WebPage() const { return m_web; }
    CPropPageManagementLMS *LmsPage() const { return m_lms; }
    QCheckBox *RecordDataCheck() const { return m_recordData; }
    QCheckBox *ResumeCheck() const { return m_resume; }
    QCheckBox *SignInCheck() const { return m_signIn; }
    QCheckBox *SelfRegisterCheck() const { return m_selfRegister; }
    QCheckBox *NameCheck() const { return m_name; }
    QCheckBox *IdCheck() const { return m_id; }
    QCheckBox *PasswordCheck() const { return m_password; }
    QLineEdit *NameLabelEdit() const { return m_nameLabel; }
    QLineEdit *IdLabelEdit() const { return m_idLabel; }
    QLineEdit *PasswordLabelEdit() const { return m_passwordLabel; }
    QCheckBox *EmailCheck() const { return m_email; }
    QLineEdit *EmailEdit() const { return m_emailAddress; }

private:
    void BuildControls();
    void ApplyResumeRule();
    void ApplySignInStates();
    void OnFlagClicked(int32_t CCourseSettings::*setting, bool on);

    QCheckBox *m_recordData = nullptr;
    QCheckBox *m_resume = nullptr;
    QCheckBox *m_signIn = nullptr;
    QCheckBox *m_selfRegister = nullptr;
    QLabel *m_required = nullptr;
    QLabel *m_typeHeading = nullptr;
    QLabel *m_labelHeading = nullptr;
    QCheckBox *m_name = nullptr;
    QCheckBox *m_id = nullptr;
    QCheckBox *m_password = nullptr;
    QLineEdit *m_nameLabel = nullptr;
    QLineEdit *m_idLabel = nullptr;
    QLineEdit *m_passwordLabel = nullptr;
    QCheckBox *m_email = nullptr;
    QLineEdit *m_emailAddress = nullptr;
    QTabWidget *m_sheet = nullptr;
    CPropPageManagementLAN *m_lan = nullptr;
    CPropPageManagementWeb *m_web = nullptr;
    CPropPageManagementLMS *m_lms = nullptr;
};
