#pragma once

#include "document/CorvessaDoc.h"
#include "editor/EditController.h"
#include "editor/OutlineRules.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/CorvContext.h"
#include "platform/RecordingPrompt.h"

#include <QStringList>

#include <memory>
#include <tuple>

// A document with screens given as (label, title, page type) in list order, and the Edit window's controller
// over it. Screens are numbered from 1 in the order given.
struct EditFixture {
    enum ListKind { main, popups, glossary };
    struct Screen {
        QString label;
        QString title;
        int type = pt_document;
        ListKind list = main;
    };

    CRecordingPrompt prompt;
    CCorvContext context;
    std::unique_ptr<CCorvessaDoc> doc;
    std::unique_ptr<CEditController> edit;
    int number = 1;

    EditFixture(const EditFixture &) = delete;
    EditFixture &operator=(const EditFixture &) = delete;
    explicit EditFixture(std::initializer_list<Screen> screens = {})
    {
        context.prompt = &prompt;
        doc = std::make_unique<CCorvessaDoc>(context);
        doc->OnNewDocument();
        for (const Screen &s : screens)
            Add(s);
        edit = std::make_unique<CEditController>(*doc);
        edit->OnUpdate();
    }

    CCorvPage *Add(const Screen &s)
    {
        doc->SetNextScreenNumber(number + 1);
        return doc->AddScreen(std::make_unique<CCorvPage>(number++, s.title, "", "", 0, s.label, s.type, 0), nullptr,
                              s.list == popups, s.list == glossary);
    }

    COutlineTree::Item *Item(const QString &title) const
    {
        for (const CCorvessaDoc::ScreenList *list : {&doc->MainScreens(), &doc->PopupScreens(), &doc->GlossaryScreens()})
            for (const auto &s : *list)
                if (s->GetTitle() == title)
                    return OutlineRules::FindTreeItemOfPage(edit->GetTreeCtrl(), s.get());
        return nullptr;
    }
    CCorvPage *Page(const QString &title) const
    {
        COutlineTree::Item *item = Item(title);
        return item ? item->screen : nullptr;
    }

    // The outline as text: "title[label]" with children in parentheses, siblings separated by blanks.
    QString Outline(const COutlineTree::Item *first = nullptr, bool top = true) const
    {
        const COutlineTree &tree = edit->GetTreeCtrl();
        QStringList parts;
        for (const COutlineTree::Item *i = top ? tree.GetRootItem() : first; i; i = tree.GetNextSiblingItem(i)) {
            QString part = i->text + u'[' + (i->screen ? i->screen->GetLabel() : QString()) + u']';
            if (const COutlineTree::Item *child = tree.GetChildItem(i))
                part += u'(' + Outline(child, false) + u')';
            parts << part;
        }
        return parts.join(u' ');
    }

    static QString Titles(const CCorvessaDoc::ScreenList &list)
    {
        QStringList titles;
        for (const auto &s : list)
            titles << s->GetTitle();
        return titles.join(u' ');
    }
    // The three lists as "main | popups | glossary".
    QString Lists() const
    {
        return Titles(doc->MainScreens()) + " | " + Titles(doc->PopupScreens()) + " | " + Titles(doc->GlossaryScreens());
    }
    QString Captions() const
    {
        QStringList texts;
        for (int i = 0; i < edit->Thumbs().GetItemCount(); ++i)
            texts << edit->Thumbs().GetItem(i).text;
        return texts.join(u' ');
    }
};
