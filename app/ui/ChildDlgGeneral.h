#pragma once

#include "app/ui/SettingsPage.h"

#include <array>
#include <cstdint>

class CCourseSettings;
class CChdMetadataClosed;
class CChdMetadataOpen;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

// The General page of the Settings window: the course's name, code, author, date and description, each with
// whether the start page shows it, and the LOM panel, folded to one line until the author opens it.
class CChildDlgGeneral : public CSettingsPage
{
    Q_OBJECT
public:
    // The identity texts, in the order of the page.
    enum Identity { Name, Code, Author, Date, Description, IdentityCount };

    explicit CChildDlgGeneral(CCorvessaDoc &document, QWidget *parent = nullptr);

    void ResetToDefaults() override;
    void RefreshFromDocument() override;

    void OpenMetadataPanel();
    void CloseMetadataPanel();

    QLineEdit *Edit(Identity identity) const; // null for Description
    QPlainTextEdit *DescriptionEdit() const { return m_description; }
    QCheckBox *ShowCheck(Identity identity) const { return m_show[size_t(identity)]; }
    CChdMetadataClosed *MetadataBar() const { return m_bar; }
    CChdMetadataOpen *MetadataEditor() const { return m_editor; }

private:
    void StoreIdentity(Identity identity);

    std::array<QLineEdit *, IdentityCount> m_edits{};
    QPlainTextEdit *m_description = nullptr;
    std::array<QCheckBox *, IdentityCount> m_show{};
    CChdMetadataClosed *m_bar = nullptr;
    CChdMetadataOpen *m_editor = nullptr;
};
