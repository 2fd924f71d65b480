#pragma once

#include "app/ui/SettingsPage.h"

#include <QStringList>

#include <functional>

class CImageStatic;
class QLabel;
class QListWidget;

// The Themes page of the Settings window: the themes of the program folder, the chosen one's preview and
// description. Choosing a theme stores its name and takes its default main-body and course-name fonts.
class CChildDlgThemes : public CSettingsPage
{
    Q_OBJECT
public:
    // fontsChanged: called after a theme's fonts were written, so the Fonts page shows them.
    CChildDlgThemes(CCorvessaDoc &document, std::function<void()> fontsChanged, QWidget *parent = nullptr);

    void ResetToDefaults() override;
    void RefreshFromDocument() override;

    QListWidget *List() const { return m_list; }
    CImageStatic *Preview() const { return m_preview; }
    QLabel *NameLine() const { return m_name; }
    QLabel *DescriptionLine() const { return m_description; }

private:
    void OnSelectionChanged(int row);
    void LoadThemePreview(int row);
    void ParseThemeCss(int row);
    void SelectQuietly(int row);

    std::function<void()> m_fontsChanged;
    QString m_themesFolder;
    QListWidget *m_list;
    CImageStatic *m_preview;
    QLabel *m_name;
    QLabel *m_description;
};
