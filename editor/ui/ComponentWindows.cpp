#include "editor/ui/ComponentWindows.h"

#include "editor/CanvasComponentPainter.h"
#include "editor/CanvasModel.h"
#include "editor/ComponentCommands.h"
#include "editor/MenuScreens.h"
#include "editor/ui/ScrollViewEx.h"
#include "model/ComponentBase.h"
#include "model/ComponentLink.h"
#include "model/ComponentTopicButton.h"
#include "model/CorvPage.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <cmath>
#include <functional>

namespace {

// The shared entries of a kind's context menu and their command ids; 0 where the kind has no such entry.
struct MenuRow {
    int type;
    const char *accessibleName;
    int cut, copy, paste;
    const char *toTopText;
    int toTop, toBack;
    const char *toBackText;
    int properties;
};

// Kinds whose own entries (edit, replace, Ken Burns, link text) come from the Edit window.
struct KindEntry {
    int type;
    const char *text;
    int command;
};

const MenuRow kMenus[] = {
    {ct_audio, "Audio", 32870, 32871, 32872, "Bring to top", 32812, 32813, "Send to back", 33067},
    {ct_button, "Button", 0, 0, 0, nullptr, 0, 0, nullptr, 0},
    {ct_complete_paragraph, "Complete the paragraph question", 32873, 32874, 32875, nullptr, 0, 0, nullptr, 0},
    {ct_ellipse, "Ellipse", 32865, 32866, 32867, "Bring to Top", 32834, 32835, "Send to Back", 0},
    {ct_fill_blanks, "Fill in the blanks question", 32873, 32874, 32875, nullptr, 0, 0, nullptr, 0},
    {ct_image, "Picture", 32844, 32845, 32846, "Bring to Top", 32808, 32809, "Send to Back", 33062},
    {ct_large_topic, "Large topic button", 0, 0, 0, nullptr, 0, 0, nullptr, 0},
    {ct_likert, "Slider question", 32873, 32874, 32875, nullptr, 0, 0, nullptr, 0},
    {ct_link, "Link", 0, 0, 0, nullptr, 0, 0, nullptr, 0},
    {ct_match_pairs, "Match the pairs question", 32873, 32874, 32875, nullptr, 0, 0, nullptr, 0},
    {ct_multiple_choice, "Multiple choice question", 32873, 32874, 32875, nullptr, 0, 0, nullptr, 0},
    {ct_part_identification, "Part identification question", 32873, 32874, 32875, nullptr, 0, 0, nullptr, 0},
    {ct_rectangle, "Rectangle", 32876, 32877, 32878, "Bring to Top", 32831, 32832, "Send to Back", 0},
    {ct_small_topic, "Small topic button", 0, 0, 0, nullptr, 0, 0, nullptr, 0},
    {ct_table, "Table", 0, 0, 0, nullptr, 0, 0, nullptr, 0},
    {ct_textbox, "Text box", 0, 0, 0, nullptr, 0, 0, nullptr, 0},
    {ct_video, "Video", 32879, 32880, 32881, "Bring to Top", 32815, 32816, "Send to Back", 33065},
    {ct_flash_question, "Flash question", 32879, 32880, 32881, "Bring to Top", 32815, 32816, "Send to Back", 33065},
    {ct_flash_video, "Flash video", 32879, 32880, 32881, "Bring to Top", 32815, 32816, "Send to Back", 33065},
    {ct_youtube, "YouTube video", 32879, 32880, 32881, "Bring to Top", 32815, 32816, "Send to Back", 33065},
    {ct_free_form_text, "Free form text question", 0, 0, 0, nullptr, 0, 0, nullptr, 0},
    {ct_html_editor, "HTML text", 0, 0, 0, nullptr, 0, 0, nullptr, 0},
};

const KindEntry kKindEntries[] = {
    {ct_audio, "Edit", 32811},
    {ct_image, "Replace graphic from file...", 32800},
    {ct_image, "Replace graphic from library...", 32842},
    {ct_image, "Replace Alt Text...", 32801},
    {ct_image, "Ken Burns effect...", 33079},
    {ct_image, "Delete link", 32895},
    {ct_video, "Edit", 32814},
    {ct_flash_question, "Edit", 32814},
    {ct_flash_video, "Edit", 32814},
    {ct_youtube, "Edit", 32814},
    {ct_small_topic, "Replace graphic from file...", 32884},
    {ct_small_topic, "Replace graphic from library...", 32885},
    {ct_large_topic, "Replace graphic from file...", 32884},
    {ct_large_topic, "Replace graphic from library...", 32885},
    {ct_link, "&Replace Link Text...", 32892},
};

const MenuRow *MenuOf(int type)
{
    for (const MenuRow &row : kMenus)
        if (row.type == type)
            return &row;
    return nullptr;
}

// The right click selects first for pictures and topic buttons; the other kinds leave the selection.
bool SelectsOnRightClick(int type) { return type == ct_image || CCanvasModel::IsTopicButton(type); }

} // namespace

CCanvasComponentWindow::CCanvasComponentWindow(CComponentBase &component, CScrollViewEx &canvas)
    : QWidget(canvas.Page()), m_component(component), m_canvas(canvas)
{
    hide();
    setGeometry(component.GetBounds().ToQRect());
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    if (const MenuRow *row = MenuOf(component.GetType()))
        setAccessibleName(QString::fromLatin1(row->accessibleName));
}

bool CCanvasComponentWindow::ForwardsMouse(int type) { return !CCanvasModel::IsTopicButton(type); }

void CCanvasComponentWindow::Show()
{
    show();
    raise();
}

void CCanvasComponentWindow::Hide() { hide(); }

void CCanvasComponentWindow::EnableEditing(bool enable)
{
    if (enable == m_live)
        return;
    m_live = enable;
    LiveChanged();
    update();
}

void CCanvasComponentWindow::MoveWindow(const CRect &rect)
{
    setGeometry(rect.ToQRect());
    update();
}

QSize CCanvasComponentWindow::GetTextExtent(const QString &text) const
{
    // A link is measured in its own font, as the menu layout measures the links it places.
    if (auto *link = dynamic_cast<const CComponentLink *>(&m_component); link && link->HasFont())
        return MenuLayout::MeasureLinkCaption(text, link->GetFontFace(), link->GetFontPoints());
    return QFontMetrics(font()).size(Qt::TextSingleLine, text);
}

void CCanvasComponentWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.translate(-m_component.GetBounds().left, -m_component.GetBounds().top);
    const int type = m_component.GetType();
    if (CanvasComponentPainter::IsDrawnKind(type)) {
        CanvasComponentPainter::Paint(painter, m_component);
    } else if (type == ct_link) {
        // Links show their caption as the course shows it: blue and underlined, in the link's font.
        const auto &link = static_cast<CComponentLink &>(m_component);
        QFont font = painter.font();
        if (link.HasFont()) {
            if (!link.GetFontFace().isEmpty())
                font.setFamily(link.GetFontFace());
            if (link.GetFontPoints() > 0)
                font.setPixelSize(int(std::lround(link.GetFontPoints() * 96.0 / 72.0)));
        }
        font.setUnderline(true);
        painter.setFont(font);
        painter.setPen(QColor(0, 0, 238));
        painter.drawText(m_component.GetBounds().ToQRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         static_cast<CComponentLink &>(m_component).GetText());
    } else {
        painter.setPen(Qt::black);
        m_component.Draw(painter);
    }
}

QPoint CCanvasComponentWindow::CanvasPoint(const QPoint &local) const
{
    return mapTo(m_canvas.Page(), local);
}

void CCanvasComponentWindow::Forward(QMouseEvent *event)
{
    const QPoint point = CanvasPoint(event->position().toPoint());
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (event->button() == Qt::LeftButton)
            m_canvas.CanvasPress(point);
        break;
    case QEvent::MouseMove:
        m_canvas.CanvasMove(point);
        break;
    case QEvent::MouseButtonRelease:
        if (event->button() == Qt::LeftButton)
            m_canvas.CanvasRelease(point);
        break;
    default:
        break;
    }
}

void CCanvasComponentWindow::mousePressEvent(QMouseEvent *event)
{
    if (ForwardsMouse(m_component.GetType()))
        Forward(event);
    event->accept();
}

void CCanvasComponentWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (ForwardsMouse(m_component.GetType()))
        Forward(event);
}

void CCanvasComponentWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (ForwardsMouse(m_component.GetType()))
        Forward(event);
}

void CCanvasComponentWindow::AddKindEntries(QMenu &menu)
{
    const int type = m_component.GetType();
    for (const KindEntry &entry : kKindEntries) {
        if (entry.type != type)
            continue;
        QAction *action = menu.addAction(QString::fromLatin1(entry.text));
        action->setData(entry.command);
        // A topic button showing its target screen's picture has no picture of its own to replace.
        if (CCanvasModel::IsTopicButton(type))
            action->setEnabled(static_cast<CComponentTopicButton &>(m_component).GetThumbnailIndex() == -1);
        const int command = entry.command;
        QPointer<CScrollViewEx> canvas(&m_canvas);
        CComponentBase *component = &m_component;
        connect(action, &QAction::triggered, &m_canvas, [canvas, component, command] {
            if (!canvas)
                return;
            canvas->SelectComponent(component);
            emit canvas->commandRequested(command);
        });
    }
}

void CCanvasComponentWindow::contextMenuEvent(QContextMenuEvent *event)
{
    std::unique_ptr<QMenu> menu = BuildContextMenu();
    if (menu && !menu->isEmpty())
        menu->exec(event->globalPos());
}

std::unique_ptr<QMenu> CCanvasComponentWindow::BuildContextMenu()
{
    const int type = m_component.GetType();
    const MenuRow *row = MenuOf(type);
    if (!row || type == ct_button)
        return nullptr;
    if (SelectsOnRightClick(type))
        m_canvas.SelectComponent(&m_component);

    // Every action runs after the menu has closed, from the canvas, and only while the component is still
    // on it: Cut deletes this window.
    QPointer<CScrollViewEx> canvas(&m_canvas);
    CComponentBase *component = &m_component;
    auto later = [canvas, component](std::function<void(CScrollViewEx &)> work) {
        return [canvas, component, work] {
            QMetaObject::invokeMethod(
                canvas.data(),
                [canvas, component, work] {
                    if (canvas && canvas->Model().Contains(component))
                        work(*canvas);
                },
                Qt::QueuedConnection);
        };
    };

    auto menu = std::make_unique<QMenu>(this);
    if (row->cut) {
        menu->addAction(QStringLiteral("Cu&t"), this, later([component](CScrollViewEx &c) { c.Cut(component); }))
            ->setData(row->cut);
        menu->addAction(QStringLiteral("&Copy"), this, later([component](CScrollViewEx &c) { c.Copy(component); }))
            ->setData(row->copy);
        QAction *paste =
            menu->addAction(QStringLiteral("&Paste"), this, later([](CScrollViewEx &c) { c.OnPaste(); }));
        paste->setData(row->paste);
        paste->setEnabled(m_canvas.Clipboard().GetComponent() != nullptr);
    }
    AddKindEntries(*menu);
    if (row->toTop) {
        // Restacking acts on the component clicked, which becomes the selection first.
        menu->addAction(QString::fromLatin1(row->toTopText), this, later([component](CScrollViewEx &c) {
                            c.SelectComponent(component);
                            c.BringToTop(component);
                        }))
            ->setData(row->toTop);
        menu->addAction(QString::fromLatin1(row->toBackText), this, later([component](CScrollViewEx &c) {
                            c.SelectComponent(component);
                            c.SendToBack(component);
                        }))
            ->setData(row->toBack);
    }
    if (row->properties)
        menu->addAction(QStringLiteral("Properties..."), this,
                        later([component](CScrollViewEx &c) { c.ShowProperties(component); }))
            ->setData(row->properties);
    return menu;
}
