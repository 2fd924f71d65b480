#pragma once

#include "document/DocumentObserver.h"

#include <QWidget>

#include <array>

class CCorvessaDoc;
class CSettingsPage;
class CChildDlgFontsNew;
class QStackedWidget;
class QTreeWidget;

// The Settings window: the tree of the thirteen settings categories and, beside it, the page of the selected
// one. The pages write into the document as the author changes them; there is no OK, Apply or Cancel.
class CSettingsFrmVw : public QWidget, public CDocumentObserver
{
    Q_OBJECT
public:
    // The categories in tree order.
    enum Category {
        General, Themes, Background, Templates, Fonts, Graphics, Buttons, Interactivity, Questions, Assessment,
        Construction, Management, Internationalization, CategoryCount
    };

    CSettingsFrmVw(CCorvessaDoc &document, QWidget *parent = nullptr);
    ~CSettingsFrmVw() override;

    QTreeWidget *CategoryTree() const { return m_tree; }
    CSettingsPage *Page(int category) const;
    CChildDlgFontsNew *FontsPage() const { return m_fonts; }
    // The category whose page shows.
    int VisibleCategory() const;
    // Hides every page and shows the one of the category (by position, so translated texts still match).
    void ShowCategoryPage(int category);

    // Every page shows the document's values again, in tree order.
    void RefreshFromDocument();
    void RefreshManagementPage();
    void RefreshButtonsPage();
    void RefreshFontSheet();
    void CommitPendingEdits();

    void OnUpdate(CCorvessaDoc &document) override;
    void AboutToSave(CCorvessaDoc &document) override;

private:
    void CreatePages();

    CCorvessaDoc &m_document;
    QTreeWidget *m_tree;
    QStackedWidget *m_stack;
    std::array<CSettingsPage *, CategoryCount> m_pages{};
    CChildDlgFontsNew *m_fonts = nullptr;
    bool m_initialised = false;
};
