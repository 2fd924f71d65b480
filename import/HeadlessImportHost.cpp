#include "import/HeadlessImportHost.h"

#include "document/CorvessaDoc.h"
#include "document/ScreenFactory.h"
#include "import/GlossaryScreens.h"
#include "model/CorvPage.h"

void CHeadlessImportHost::AddPageAndSelect(CCorvPage *screen)
{
    if (!screen)
        return;
    m_added.push_back(screen);
    m_current = screen;
}

void CHeadlessImportHost::AddPopupsOnlyFolder()
{
    if (m_doc.GetPopupsFolder())
        return;
    CScreenFactory factory(m_doc);
    m_doc.SetPopupsFolder(factory.AddPopupsFolder(QStringLiteral("Popups Only"), QStringLiteral("1000"), nullptr));
}

void CHeadlessImportHost::LayoutMenuButtons(CCorvPage *)
{
    ++m_menuLayouts;
}

QStringList CHeadlessImportHost::AddedLabels() const
{
    QStringList labels;
    for (const CCorvPage *screen : m_added)
        labels << screen->GetLabel();
    return labels;
}

void CHeadlessImportHost::AddGlossaryItem(const QString &term, const QString &definition)
{
    if (!m_doc.AddGlossaryItem(term, definition))
        CGlossaryScreens::AddGlossaryItem(m_doc, term, definition);
}
