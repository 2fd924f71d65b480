#pragma once

#include "import/ImportHost.h"

#include <QStringList>

#include <vector>

class CCorvessaDoc;

// The import host of runs without the Edit window: it keeps the order in which screens were added, the
// current screen, and makes the popups folder in the document.
class CHeadlessImportHost : public CImportHost
{
public:
    explicit CHeadlessImportHost(CCorvessaDoc &doc) : m_doc(doc) {}

    void AddPageAndSelect(CCorvPage *screen) override;
    void AddPopupsOnlyFolder() override;
    void LayoutMenuButtons(CCorvPage *mainMenu) override;
    // A view of the document takes it when there is one; otherwise the screen is made here.
    void AddGlossaryItem(const QString &term, const QString &definition) override;
    CCorvPage *GetCurrentScreen() const override { return m_current; }

    // Labels of the screens added, in order.
    QStringList AddedLabels() const;
    const std::vector<CCorvPage *> &Added() const { return m_added; }
    int MenuLayouts() const { return m_menuLayouts; }

private:
    CCorvessaDoc &m_doc;
    std::vector<CCorvPage *> m_added;
    CCorvPage *m_current = nullptr;
    int m_menuLayouts = 0;
};
