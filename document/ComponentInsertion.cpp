#include "document/ComponentInsertion.h"

#include "document/CorvessaDoc.h"
#include "document/EditorHooks.h"
#include "document/NewComponents.h"
#include "model/ComponentEllipse.h"
#include "model/ComponentHTMLEditor.h"
#include "model/ComponentImage.h"
#include "model/ComponentLargeTopic.h"
#include "model/ComponentLine.h"
#include "model/ComponentRectangle.h"
#include "model/ComponentSmallTopic.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentWindow.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/Prompt.h"

#include <algorithm>

namespace {

constexpr int kScreenWidth = 1008;
constexpr int kScreenHeight = 560;
// The top-left corner of the content area: nothing is dropped above or left of it.
constexpr int kContentLeft = 36;
constexpr int kContentTop = 32;

const QString kHtmlPlaceholder = QStringLiteral("Click here to add text");

// The box of a picture preset placed at topLeft (or at the content area's corner): no higher or further left
// than that corner, and moved back inside the screen where it would reach past its right or bottom edge.
CRect PictureBox(int width, int height, std::optional<QPoint> topLeft)
{
    int x = kContentLeft, y = kContentTop;
    if (topLeft) {
        x = std::max(topLeft->x(), kContentLeft);
        y = std::max(topLeft->y(), kContentTop);
        if (x + width > kScreenWidth)
            x = kScreenWidth - width;
        if (y + height > kScreenHeight)
            y = kScreenHeight - height;
    }
    return CRect(x, y, x + width, y + height);
}

// A size centred in the box, halves divided toward zero.
CRect CentredIn(const CRect &box, int width, int height)
{
    const int cx = (box.left + box.right) / 2;
    const int cy = (box.top + box.bottom) / 2;
    return CRect(cx - width / 2, cy - height / 2, cx + width / 2, cy + height / 2);
}

} // namespace

CComponentInsertion::CComponentInsertion(CCorvessaDoc &doc, const CEditorHooks &editor, CGraphicsLibrarySearch *library)
    : m_doc(doc), m_editor(editor), m_library(library)
{
}

template <class Kind>
Kind *CComponentInsertion::Insert(CCorvPage &screen, std::unique_ptr<Kind> component, const CRect &rect)
{
    component->SetBounds(rect, true);
    Kind *inserted = component.get();
    // A component the screen refuses goes with its pointer, and the author is told why.
    if (const CStatus added = screen.AddComponent(std::move(component)); !added) {
        m_doc.Prompt().Information(added.Error());
        return nullptr;
    }
    screen.SetModified(1);
    if (CEditCanvas *canvas = m_doc.GetEditCanvas())
        screen.ShowOnCanvas(*canvas);
    return inserted;
}

CComponentImage *CComponentInsertion::InsertImage(const QString &path, const QString &altText, int sizePreset,
                                                  int border, int bevel, std::optional<QPoint> topLeft)
{
    CCorvPage *screen = m_editor.GetCurrentScreen();
    if (!screen)
        return nullptr;
    const int boxWidth = GetPictureWidthForSize(sizePreset);
    const int boxHeight = GetPictureHeightForSize(sizePreset);
    int width = 0, height = 0;
    GetImageFileSize(width, height, path);
    // A picture that does not load would be an empty component nobody can see or select.
    if (width <= 0 || height <= 0)
        return nullptr;
    int fittedWidth = 0, fittedHeight = 0;
    double scale = 1.0;
    FitSizeInBox(boxWidth, boxHeight, width, height, fittedWidth, fittedHeight, scale);

    auto image = std::make_unique<CComponentImage>(m_doc.GetEditCanvas());
    image->SetJpegBorder(border);
    image->SetBevelled(bevel);
    image->SetImageFile(path, m_doc.GetContext());
    image->SetAltText(altText);
    return Insert(*screen, std::move(image),
                  CentredIn(PictureBox(boxWidth, boxHeight, topLeft), fittedWidth, fittedHeight));
}

CComponentTextbox *CComponentInsertion::InsertTextBox()
{
    CCorvPage *screen = m_editor.GetCurrentScreen();
    if (!screen)
        return nullptr;
    CComponentTextbox *box = Insert(*screen, CNewComponents::TextBox(m_doc, 1), kDefaultBox);
    if (box) {
        box->GetRichText().SetSel(0, 0);
        if (CComponentWindow *window = box->GetComponentWindow())
            window->ResetCaret();
    }
    return box;
}

CComponentHTMLEditor *CComponentInsertion::InsertHtmlEditorText()
{
    CCorvPage *screen = m_editor.GetCurrentScreen();
    if (!screen)
        return nullptr;
    auto html = std::make_unique<CComponentHTMLEditor>(m_doc.GetEditCanvas());
    html->SetFileName(CNewComponents::TakeTextBoxFileName(m_doc));
    html->SetHtml(kHtmlPlaceholder);
    CComponentHTMLEditor *inserted = Insert(*screen, std::move(html), kDefaultBox);
    if (inserted)
        if (CComponentWindow *window = inserted->GetComponentWindow())
            window->ResetCaret();
    return inserted;
}

CComponentTable *CComponentInsertion::InsertTable(const CComponentTable::Settings &settings)
{
    CCorvPage *screen = m_editor.GetCurrentScreen();
    if (!screen)
        return nullptr;
    return Insert(*screen, CNewComponents::Table(m_doc, settings), kDefaultBox);
}

CComponentTable *CComponentInsertion::InsertTableAt(int rows, int columns, const CRect &rect)
{
    CCorvPage *screen = m_editor.GetCurrentScreen();
    if (!screen)
        return nullptr;
    return Insert(*screen, CNewComponents::Table(m_doc, CNewComponents::DefaultTableSettings(rows, columns)), rect);
}

CComponentRectangle *CComponentInsertion::InsertRectangle(const CRect &rect)
{
    CCorvPage *screen = m_editor.GetCurrentScreen();
    if (!screen)
        return nullptr;
    // Marked modified like every other insertion, so the thumbnail and the saved state follow it.
    return Insert(*screen, std::make_unique<CComponentRectangle>(m_doc.GetEditCanvas()), rect);
}

CComponentLine *CComponentInsertion::InsertLine(const QPoint &p1, const QPoint &p2)
{
    CCorvPage *screen = m_editor.GetCurrentScreen();
    if (!screen)
        return nullptr;
    auto line = std::make_unique<CComponentLine>(m_doc.GetEditCanvas());
    line->SetPoints(p1, p2);
    // A line's geometry is its end points alone.
    return Insert(*screen, std::move(line), CRect(p1.x(), p1.y(), p2.x(), p2.y()));
}

CComponentEllipse *CComponentInsertion::InsertEllipse(const CRect &rect)
{
    CCorvPage *screen = m_editor.GetCurrentScreen();
    if (!screen)
        return nullptr;
    return Insert(*screen, std::make_unique<CComponentEllipse>(m_doc.GetEditCanvas()), rect);
}

template <class Kind>
Kind *CComponentInsertion::AddToMenu(CCorvPage &screen, std::unique_ptr<Kind> button)
{
    Kind *added = button.get();
    if (const CStatus added = screen.AddComponent(std::move(button)); !added) {
        m_doc.Prompt().Information(added.Error());
        return nullptr;
    }
    screen.SetModified(1);
    return added;
}

CComponentSmallTopic *CComponentInsertion::AddSmallTopicButton(CCorvPage *screen, const QString &title,
                                                               int thumbnailIndex, const QString &picture,
                                                               const CRect &rect, int fitted)
{
    if (!screen)
        return nullptr;
    const CTopicPictureSource source{m_doc.GetContext(), m_library, CNewComponents::LibraryPictureKinds(m_doc)};
    auto button = std::make_unique<CComponentSmallTopic>(m_doc.GetEditCanvas());
    button->SetBounds(rect, true);
    if (m_doc.Settings().MainMenuNoImages)
        button->SetShowPicture(0);
    button->SetThumbnailIndex(thumbnailIndex, source);
    button->SetTitleAndPicture(title, picture, source);
    button->SetFitted(fitted);
    return AddToMenu(*screen, std::move(button));
}

CComponentLargeTopic *CComponentInsertion::AddLargeTopicButton(CCorvPage *screen, const QString &title,
                                                               int thumbnailIndex, const QString &picture,
                                                               const CRect &rect, int fitted)
{
    if (!screen)
        return nullptr;
    const CTopicPictureSource source{m_doc.GetContext(), m_library, CNewComponents::LibraryPictureKinds(m_doc)};
    auto button = std::make_unique<CComponentLargeTopic>(m_doc.GetEditCanvas());
    button->SetBounds(rect, true);
    if (m_doc.Settings().MainMenuNoImages)
        button->SetShowPicture(0);
    button->SetFitted(fitted);
    button->SetThumbnailIndex(thumbnailIndex, source);
    button->SetTitleAndPicture(title, picture, source);
    return AddToMenu(*screen, std::move(button));
}

void CComponentInsertion::UpdateThemeTextImage()
{
    const auto menu = std::find_if(m_doc.MainScreens().begin(), m_doc.MainScreens().end(),
                                   [](const auto &screen) { return screen->IsMultiTopicMenu(); });
    if (menu == m_doc.MainScreens().end())
        return;
    for (const auto &component : (*menu)->GetComponentList()) {
        auto *image = dynamic_cast<CComponentImage *>(component.get());
        if (image && image->GetImageFile().contains(CNewComponents::ThemeTitlePictureName(), Qt::CaseInsensitive)) {
            image->SetImageFile(CNewComponents::ThemeTitlePicture(m_doc), m_doc.GetContext());
            return;
        }
    }
}
