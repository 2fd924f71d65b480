#include "editor/ui/ComponentWindowFactory.h"

#include "editor/CanvasModel.h"
#include "editor/ui/ImageWindow.h"
#include "editor/ui/MediaCommandsUi.h"
#include "editor/ui/QuestionWindows.h"
#include "editor/ui/ScrollViewEx.h"
#include "editor/ui/WndTable.h"
#include "editor/ui/WndTextbox.h"
#include "model/ComponentImage.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"

#include <QPointer>

namespace {

// The component commands a text box or table window hands to the canvas.
enum class Command { Cut, Copy, Paste, ToTop, ToBack, Properties, None };

Command TextboxCommand(int id)
{
    switch (id) {
    case CWndTextbox::idCutTextbox: return Command::Cut;
    case CWndTextbox::idCopyTextbox: return Command::Copy;
    case CWndTextbox::idPasteTextbox: return Command::Paste;
    case CWndTextbox::idBringToTop: return Command::ToTop;
    case CWndTextbox::idSendToBack: return Command::ToBack;
    case CWndTextbox::idProperties: return Command::Properties;
    default: return Command::None;
    }
}

Command TableCommand(int message)
{
    switch (message) {
    case CWndTable::WM_TABLE_CUT: return Command::Cut;
    case CWndTable::WM_TABLE_COPY: return Command::Copy;
    case CWndTable::WM_TABLE_TO_TOP: return Command::ToTop;
    case CWndTable::WM_TABLE_TO_BACK: return Command::ToBack;
    default: return Command::None;
    }
}

// Runs a component command once the window's menu has returned, and only while the component is still on
// the canvas: Cut deletes the window that asked for it.
void RunLater(CScrollViewEx &canvas, CComponentBase *component, Command command)
{
    if (command == Command::None)
        return;
    QPointer<CScrollViewEx> guard(&canvas);
    QMetaObject::invokeMethod(
        &canvas,
        [guard, component, command] {
            if (!guard || !guard->Model().Contains(component))
                return;
            CScrollViewEx &c = *guard;
            switch (command) {
            case Command::Cut: c.Cut(component); break;
            case Command::Copy: c.Copy(component); break;
            case Command::Paste: c.OnPaste(); break;
            // Restacking acts on the canvas's selection: the component whose menu it was.
            case Command::ToTop:
                c.SelectComponent(component);
                c.BringToTop(component);
                break;
            case Command::ToBack:
                c.SelectComponent(component);
                c.SendToBack(component);
                break;
            case Command::Properties: c.ShowProperties(component); break;
            case Command::None: break;
            }
        },
        Qt::QueuedConnection);
}

// What the text box and table windows share: selecting their component and reporting the selection's font.
void WireEditingWindow(CEditingComponentWindow &window, CScrollViewEx &canvas)
{
    QPointer<CScrollViewEx> guard(&canvas);
    window.selectComponent = [guard](CComponentBase &c) {
        if (guard)
            guard->SelectComponent(&c);
    };
    window.selectFontInToolbar = [guard](const QString &face, int points) {
        if (guard)
            emit guard->selectionFontChanged(face, points);
    };
}

std::unique_ptr<CComponentWindow> MakeTextbox(CComponentTextbox &component, CScrollViewEx &canvas)
{
    auto window = std::make_unique<CWndTextbox>(component, canvas.Page());
    WireEditingWindow(*window, canvas);
    window->componentCommand = [&canvas](CComponentBase &c, int id) { RunLater(canvas, &c, TextboxCommand(id)); };
    return window;
}

std::unique_ptr<CComponentWindow> MakeTable(CComponentTable &component, CScrollViewEx &canvas)
{
    auto window = std::make_unique<CWndTable>(component, canvas.Page());
    WireEditingWindow(*window, canvas);
    window->componentCommand = [&canvas](CComponentBase &c, int message) {
        RunLater(canvas, &c, TableCommand(message));
    };
    CComponentTable *table = &component;
    window->updateTableDialog = [&canvas, table](CComponentTable::Settings &settings) {
        return canvas.ShowUpdateTable(*table, settings);
    };
    return window;
}

} // namespace

namespace CComponentWindowFactory {

std::unique_ptr<CComponentWindow> Make(CComponentBase &component, CScrollViewEx &canvas)
{
    const int type = component.GetType();
    if (!CCanvasModel::HasCanvasWindow(type))
        return nullptr;
    switch (type) {
    case ct_textbox: return MakeTextbox(static_cast<CComponentTextbox &>(component), canvas);
    case ct_table: return MakeTable(static_cast<CComponentTable &>(component), canvas);
    case ct_image: return std::make_unique<CWndImage>(static_cast<CComponentImage &>(component), canvas);
    case ct_complete_paragraph:
    case ct_fill_blanks:
    case ct_match_pairs:
    case ct_multiple_choice:
    case ct_likert:
    case ct_part_identification: return CQuestionWindow::Make(component, canvas);
    case ct_audio:
    case ct_button:
    case ct_ellipse:
    case ct_rectangle:
    case ct_link:
    case ct_large_topic:
    case ct_small_topic:
    case ct_video:
    case ct_flash_question:
    case ct_flash_video:
    case ct_youtube: return std::make_unique<CMediaComponentWindow>(component, canvas);
    default: return std::make_unique<CCanvasComponentWindow>(component, canvas);
    }
}

} // namespace CComponentWindowFactory
