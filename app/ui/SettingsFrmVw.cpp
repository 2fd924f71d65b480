#include "app/ui/SettingsFrmVw.h"

#include "app/ui/ToolbarArt.h"

#include "app/ui/ChildDlgAssessment.h"
#include "app/ui/ChildDlgBackground.h"
#include "app/ui/ChildDlgButtons.h"
#include "app/ui/ChildDlgConstruction.h"
#include "app/ui/ChildDlgFontsNew.h"
#include "app/ui/ChildDlgGeneral.h"
#include "app/ui/ChildDlgGraphics.h"
#include "app/ui/ChildDlgInteractivity.h"
#include "app/ui/ChildDlgInternationalisation.h"
#include "app/ui/ChildDlgManagement.h"
#include "app/ui/ChildDlgParagraphQuest.h"
#include "app/ui/ChildDlgTemplates.h"
#include "app/ui/ChildDlgThemes.h"
#include "app/ui/SettingsPage.h"
#include "dialogs/ui/PictureDialogs.h"
#include "document/CorvessaDoc.h"
#include "platform/StringTable.h"

#include <QHBoxLayout>
#include <QStackedWidget>
#include <QTreeWidget>

namespace {

constexpr int kFirstCategoryText = 10000;

// The order the pages are made in: each writes its reset values, and Themes, made after Fonts, overwrites
// the main-body and course-name fonts with its theme's.
constexpr CSettingsFrmVw::Category kCreationOrder[] = {
    CSettingsFrmVw::General,      CSettingsFrmVw::Background, CSettingsFrmVw::Templates,
    CSettingsFrmVw::Graphics,     CSettingsFrmVw::Buttons,    CSettingsFrmVw::Interactivity,
    CSettingsFrmVw::Questions,    CSettingsFrmVw::Assessment, CSettingsFrmVw::Construction,
    CSettingsFrmVw::Management,   CSettingsFrmVw::Fonts,      CSettingsFrmVw::Themes,
    CSettingsFrmVw::Internationalization,
};

} // namespace

CSettingsFrmVw::CSettingsFrmVw(CCorvessaDoc &document, QWidget *parent)
    : QWidget(parent), m_document(document), m_tree(new QTreeWidget(this)), m_stack(new QStackedWidget(this))
{
    setObjectName(QStringLiteral("SettingsView"));
    setAccessibleName(QStringLiteral("Settings"));
    m_tree->setObjectName(QStringLiteral("CategoryTree"));
    m_tree->setAccessibleName(QStringLiteral("Settings categories"));
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(false);
    m_tree->setFixedWidth(190);
    m_tree->setAllColumnsShowFocus(true);
    m_tree->setIconSize(QSize(32, 32));
    for (int i = 0; i < CategoryCount; ++i) {
        auto *item = new QTreeWidgetItem({CStringTable::Load(kFirstCategoryText + i)});
        item->setData(0, Qt::UserRole, i);
        item->setIcon(0, CorvToolbarArt::SettingsCategoryIcon(i));
        m_tree->addTopLevelItem(item);
    }
    m_stack->setObjectName(QStringLiteral("SettingsPages"));

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_tree);
    layout->addWidget(m_stack, 1);
    setTabOrder(m_tree, m_stack);

    CreatePages();
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item)
            ShowCategoryPage(item->data(0, Qt::UserRole).toInt());
    });
    m_document.AddObserver(this);
}

CSettingsFrmVw::~CSettingsFrmVw() { m_document.RemoveObserver(this); }

void CSettingsFrmVw::CreatePages()
{
    for (const Category category : kCreationOrder) {
        CSettingsPage *page = nullptr;
        if (category == Fonts)
            page = m_fonts = new CChildDlgFontsNew(m_document);
        else if (category == General)
            page = new CChildDlgGeneral(m_document);
        else if (category == Themes)
            page = new CChildDlgThemes(m_document, [this] { RefreshFontSheet(); });
        else if (category == Background)
            page = new CChildDlgBackground(m_document);
        else if (category == Templates)
            page = new CChildDlgTemplates(m_document);
        else if (category == Graphics) {
            auto *graphics = new CChildDlgGraphics(m_document);
            graphics->SetCategoryDialog(&CDlgSetCategoriesPriority::Run);
            page = graphics;
        }
        else if (category == Construction)
            page = new CChildDlgConstruction(m_document);
        else if (category == Buttons)
            page = new CChildDlgButtons(m_document);
        else if (category == Interactivity)
            page = new CChildDlgInteractivity(m_document);
        else if (category == Questions)
            page = new CChildDlgParagraphQuest(m_document);
        else if (category == Assessment)
            page = new CChildDlgAssessment(m_document);
        else if (category == Management)
            page = new CChildDlgManagement(m_document);
        else if (category == Internationalization)
            page = new CChildDlgInternationalisation(m_document);
        else
            page = new CSettingsPage(m_document);
        page->setObjectName(QStringLiteral("SettingsPage%1").arg(int(category)));
        page->setAccessibleName(CStringTable::Load(kFirstCategoryText + category));
        m_pages[size_t(category)] = page;
        page->ResetToDefaults();
    }
    for (CSettingsPage *page : m_pages)
        m_stack->addWidget(page);
    m_stack->setCurrentWidget(m_pages[General]);
    m_initialised = true;
}

CSettingsPage *CSettingsFrmVw::Page(int category) const
{
    return category >= 0 && category < CategoryCount ? m_pages[size_t(category)] : nullptr;
}

int CSettingsFrmVw::VisibleCategory() const { return m_stack->currentIndex(); }

void CSettingsFrmVw::ShowCategoryPage(int category)
{
    if (!m_initialised || !Page(category))
        return;
    // An open font list would stay dropped down over the next page.
    if (CSettingsPage *leaving = Page(VisibleCategory()); leaving && leaving != Page(category))
        if (QWidget *parking = leaving->FocusParking(); parking && leaving->isAncestorOf(focusWidget()))
            parking->setFocus(Qt::OtherFocusReason);
    if (category == General || category == Buttons)
        m_pages[size_t(category)]->RefreshFromDocument();
    m_stack->setCurrentIndex(category);
}

void CSettingsFrmVw::RefreshFromDocument()
{
    for (CSettingsPage *page : m_pages)
        page->RefreshFromDocument();
}

void CSettingsFrmVw::RefreshManagementPage() { m_pages[Management]->RefreshFromDocument(); }
void CSettingsFrmVw::RefreshButtonsPage() { m_pages[Buttons]->RefreshFromDocument(); }
void CSettingsFrmVw::RefreshFontSheet() { m_pages[Fonts]->RefreshFromDocument(); }

void CSettingsFrmVw::CommitPendingEdits()
{
    for (CSettingsPage *page : m_pages)
        page->CommitPendingEdits();
}

void CSettingsFrmVw::OnUpdate(CCorvessaDoc &) { RefreshFromDocument(); }

void CSettingsFrmVw::AboutToSave(CCorvessaDoc &) { CommitPendingEdits(); }
