#include "editor/ui/FormattingCommandsUi.h"

#include "app/CommandIds.h"
#include "app/ui/controls/ColourPopup.h"
#include "app/ui/controls/LineStylePopup.h"
#include "document/ComponentInsertion.h"
#include "document/CorvessaDoc.h"
#include "document/EditorHooks.h"
#include "editor/ui/EditFrmVw.h"
#include "editor/ui/RichEditCtrlEx.h"
#include "editor/ui/ScrollViewEx.h"
#include "editor/ui/WndTable.h"
#include "editor/ui/WndTextbox.h"
#include "model/ComponentFilledShape.h"
#include "model/ComponentHTMLEditor.h"
#include "model/ComponentLine.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentType.h"
#include "model/CorvPage.h"

#include <QAction>
#include <QPointer>
#include <QToolBar>

namespace FormattingCommandsUi {

namespace {

// Every popup opens on red (a COLORREF: 0x00BBGGRR).
constexpr uint32_t kInitialColour = 0x0000FF;
constexpr int kInitialLineWidth = 1;

CComponentBase *Selected(const CEditFrmVw &view)
{
    return view.Canvas() ? view.Canvas()->GetSelectedComponent() : nullptr;
}

int SelectedType(const CEditFrmVw &view)
{
    const CComponentBase *selected = Selected(view);
    return selected ? selected->GetType() : -1;
}

bool IsFilledShape(int type) { return type == ct_rectangle || type == ct_ellipse; }
bool IsOutlinedShape(int type) { return IsFilledShape(type) || type == ct_line; }

// The editing window of the selected text box or table, or null.
QWidget *SelectedTextWindow(const CEditFrmVw &view)
{
    CComponentBase *selected = Selected(view);
    auto *window = selected ? dynamic_cast<QWidget *>(selected->GetComponentWindow()) : nullptr;
    return qobject_cast<CWndTextbox *>(window) || qobject_cast<CWndTable *>(window) ? window : nullptr;
}

void InsertText(CEditFrmVw &view, bool html)
{
    CCorvPage *screen = view.GetCurrentPage();
    if (!screen)
        return;
    const CScreenHooks hooks(screen);
    CComponentInsertion insertion(view.Controller().Document(), hooks);
    CComponentBase *inserted = html ? static_cast<CComponentBase *>(insertion.InsertHtmlEditorText())
                                    : static_cast<CComponentBase *>(insertion.InsertTextBox());
    if (!inserted)
        return;
    if (CScrollViewEx *canvas = view.Canvas())
        canvas->SelectComponent(inserted);
    view.ScreenChanged(screen);
}

void OpenColourPopup(CEditFrmVw &view, int commandId)
{
    const bool fill = commandId == CorvCommand::FillColour;
    const QString defaultText = fill                                        ? QStringLiteral("No Fill")
                                : commandId == CorvCommand::LineColour ? QStringLiteral("No Line")
                                                                        : QStringLiteral("Automatic");
    auto *popup = new CColourPopup(BelowBarButton(view.window(), "FormattingBar", commandId), kInitialColour, &view,
                                   defaultText, QStringLiteral("More Colors"));
    popup->setObjectName(QStringLiteral("ColourPopup%1").arg(commandId));
    QPointer<CEditFrmVw> guard(&view);
    QObject::connect(popup, &CColourPopup::selected, &view, [guard, fill](uint32_t colour, bool isDefault) {
        if (guard)
            OnColourChosen(*guard, colour, isDefault, fill);
    });
}

void OpenLineStylePopup(CEditFrmVw &view)
{
    auto *popup = new CLineStylePopup(BelowBarButton(view.window(), "FormattingBar", CorvCommand::LineStyle),
                                      kInitialLineWidth, &view);
    popup->setObjectName(QStringLiteral("LineStylePopup"));
    QPointer<CEditFrmVw> guard(&view);
    QObject::connect(popup, &CLineStylePopup::selected, &view, [guard](int width) {
        if (guard)
            OnLineStyleChosen(*guard, width);
    });
}

} // namespace

QPoint BelowBarButton(const QWidget *window, const char *barName, int commandId)
{
    const auto *bar = window->findChild<QToolBar *>(QString::fromLatin1(barName));
    if (bar && bar->isVisible())
        for (QAction *action : bar->actions())
            if (action->objectName() == QStringLiteral("Command%1").arg(commandId))
                if (QWidget *button = bar->widgetForAction(action))
                    return button->mapToGlobal(QPoint(0, button->height()));
    return window->mapToGlobal(QPoint(0, 0));
}

bool UpdateCommand(const CEditFrmVw &view, int commandId, bool &enabled)
{
    using namespace CorvCommand;
    switch (commandId) {
    case AddTextBox:
    case AddHtmlTextBox: enabled = view.GetCurrentPage() != nullptr; return true;
    case TextColour:
    case FontName:
    case FontSize: enabled = SelectedTextWindow(view) != nullptr; return true;
    case FillColour: enabled = IsFilledShape(SelectedType(view)); return true;
    case LineColour:
    case LineStyle: enabled = IsOutlinedShape(SelectedType(view)); return true;
    default: return false;
    }
}

bool OnCommand(CEditFrmVw &view, int commandId)
{
    using namespace CorvCommand;
    switch (commandId) {
    case AddTextBox: InsertText(view, false); return true;
    case AddHtmlTextBox: InsertText(view, true); return true;
    case TextColour:
    case FillColour:
    case LineColour: OpenColourPopup(view, commandId); return true;
    case LineStyle: OpenLineStylePopup(view); return true;
    default: return false;
    }
}

void OnColourChosen(CEditFrmVw &view, uint32_t colour, bool isDefault, bool fill)
{
    CComponentBase *selected = Selected(view);
    CCorvPage *screen = view.GetCurrentPage();
    if (!selected || !screen)
        return;
    if (auto *line = dynamic_cast<CComponentLine *>(selected)) {
        line->SetColor(colour);
    } else if (auto *shape = dynamic_cast<CComponentFilledShape *>(selected)) {
        // "No Fill" and "No Line" switch the fill or the outline off; the colour is kept all the same.
        if (fill) {
            shape->SetFilled(isDefault ? 0 : 1);
            shape->SetFillColor(colour);
        } else {
            shape->SetOutlined(isDefault ? 0 : 1);
            shape->SetOutlineColor(colour);
        }
    } else {
        // "Automatic" text is black.
        const uint32_t textColour = isDefault ? 0 : colour;
        QWidget *window = SelectedTextWindow(view);
        if (auto *box = qobject_cast<CWndTextbox *>(window))
            box->Editor()->SetSelectionColour(textColour);
        else if (auto *table = qobject_cast<CWndTable *>(window))
            table->SetActiveCellColour(textColour);
        else
            return;
    }
    if (CComponentWindow *window = selected->GetComponentWindow())
        window->Invalidate();
    view.ScreenChanged(screen);
}

void OnLineStyleChosen(CEditFrmVw &view, int width)
{
    CComponentBase *selected = Selected(view);
    CCorvPage *screen = view.GetCurrentPage();
    if (!selected || !screen)
        return;
    if (auto *line = dynamic_cast<CComponentLine *>(selected))
        line->SetWidth(width);
    else if (auto *shape = dynamic_cast<CComponentFilledShape *>(selected))
        shape->SetLineWidth(width);
    else
        return;
    if (CComponentWindow *window = selected->GetComponentWindow())
        window->Invalidate();
    view.ScreenChanged(screen);
}

} // namespace FormattingCommandsUi
