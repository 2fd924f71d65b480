#include "import/GlossaryScreens.h"

#include "document/CorvessaDoc.h"
#include "document/NewComponents.h"
#include "document/ScreenFactory.h"
#include "model/ComponentTextbox.h"
#include "model/GlobalHelpers.h"
#include "model/CorvPage.h"
#include "platform/richtext/RichText.h"

CCorvPage *CGlossaryScreens::AddGlossaryItem(CCorvessaDoc &doc, const QString &term, const QString &definition)
{
    CScreenFactory factory(doc);
    if (!doc.GetGlossaryFolder())
        factory.AddGlossaryFolder(QStringLiteral("Glossary"), QStringLiteral("9000"), nullptr);
    const QString folderLabel = doc.GetGlossaryFolder() ? doc.GetGlossaryFolder()->GetLabel() : QStringLiteral("9000");
    int children = 0;
    for (const auto &screen : doc.GlossaryScreens())
        if (screen.get() != doc.GetGlossaryFolder() && screen->GetLabel().startsWith(folderLabel + u'_'))
            ++children;
    auto screen = factory.NewScreen(term, folderLabel + u'_' + QString::number(children + 1), pt_document);
    auto box = CNewComponents::TextBox(doc, 0);
    box->GetRichText().AppendText(definition, 0);
    factory.Place(*screen, std::move(box), CScreenFactory::kContentArea);
    return CScreenFactory::InsertScreen(doc, std::move(screen), nullptr, CScreenFactory::List::glossary);
}
