#pragma once

#include "app/ui/SettingsPage.h"

#include <array>

class CPropPageFonts;
class QTabWidget;

// The Fonts page of the Settings window: one tab per text style (main body, course name, outline, glossary).
class CChildDlgFontsNew : public CSettingsPage
{
    Q_OBJECT
public:
    explicit CChildDlgFontsNew(CCorvessaDoc &document, QWidget *parent = nullptr);

    QTabWidget *Sheet() const { return m_sheet; }
    CPropPageFonts *StylePage(int style) const;

    void ResetToDefaults() override;
    void RefreshFromDocument() override;
    QWidget *FocusParking() override { return m_parking; }

private:
    QTabWidget *m_sheet;
    QWidget *m_parking;
    std::array<CPropPageFonts *, 4> m_styles{};
};
