#pragma once

#include "app/ui/SettingsPage.h"

class CImageStatic;
class QLabel;
class QListWidget;

// The Templates page of the Settings window: the screen layout that imports give new content screens, with
// a preview and a description of the chosen one.
class CChildDlgTemplates : public CSettingsPage
{
    Q_OBJECT
public:
    explicit CChildDlgTemplates(CCorvessaDoc &document, QWidget *parent = nullptr);

    void ResetToDefaults() override;
    void RefreshFromDocument() override;

    QListWidget *List() const { return m_list; }
    CImageStatic *Preview() const { return m_preview; }
    QLabel *NameLine() const { return m_name; }
    QLabel *DescriptionLine() const { return m_description; }

private:
    void OnSelectionChanged();
    void ShowTemplatePreview(int index);

    QListWidget *m_list;
    CImageStatic *m_preview;
    QLabel *m_name;
    QLabel *m_description;
};
