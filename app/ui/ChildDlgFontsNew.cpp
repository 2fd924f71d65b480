#include "app/ui/ChildDlgFontsNew.h"

#include "app/FontSettingsRules.h"
#include "app/ui/PropPageFonts.h"
#include "platform/StringTable.h"

#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

CChildDlgFontsNew::CChildDlgFontsNew(CCorvessaDoc &document, QWidget *parent)
    : CSettingsPage(document, parent), m_sheet(new QTabWidget(this)), m_parking(new QWidget(this))
{
    auto *intro = new QLabel(CStringTable::Load(10501), this);
    m_sheet->setObjectName(QStringLiteral("FontSheet"));
    m_sheet->setAccessibleName(QStringLiteral("Text styles"));
    // Takes the focus when the page is left, so that no font list stays open.
    m_parking->setFixedSize(1, 1);
    m_parking->setFocusPolicy(Qt::ClickFocus);
    m_parking->setAccessibleName(QStringLiteral("Fonts"));
    for (int style = 0; style < CorvFontSettings::kStyleCount; ++style) {
        m_styles[size_t(style)] = new CPropPageFonts(document, style, m_sheet);
        m_sheet->addTab(m_styles[size_t(style)], CorvFontSettings::TabText(style));
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_sheet, 1);
    layout->addWidget(m_parking);
}

CPropPageFonts *CChildDlgFontsNew::StylePage(int style) const
{
    return style >= 0 && style < CorvFontSettings::kStyleCount ? m_styles[size_t(style)] : nullptr;
}

void CChildDlgFontsNew::ResetToDefaults()
{
    // Last style first, so that the main-body tab is the current one afterwards.
    for (int style = CorvFontSettings::kStyleCount - 1; style >= 0; --style)
        m_styles[size_t(style)]->ResetToDefaults();
    m_sheet->setCurrentIndex(0);
}

void CChildDlgFontsNew::RefreshFromDocument()
{
    for (CPropPageFonts *page : m_styles)
        page->RefreshFromDocument();
}
