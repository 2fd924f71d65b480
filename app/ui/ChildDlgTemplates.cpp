#include "app/ui/ChildDlgTemplates.h"

#include "app/TemplateTable.h"
#include "app/ui/PageControls.h"
#include "app/ui/controls/ImageStatic.h"
#include "document/CorvessaDoc.h"
#include "platform/StringTable.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>

using namespace CorvPageControls;

CChildDlgTemplates::CChildDlgTemplates(CCorvessaDoc &document, QWidget *parent)
    : CSettingsPage(document, parent), m_list(new QListWidget(this)), m_preview(new CImageStatic(this)),
      m_name(new QLabel(this)), m_description(new QLabel(this))
{
    for (int i = 0; i < CorvTemplates::kCount; ++i)
        m_list->addItem(CorvTemplates::ListText(i));
    m_list->setFixedSize(300, 230);
    m_preview->setFixedSize(185, 139);
    LayOutListWithPreview(this, QStringLiteral("Template"), CStringTable::Load(10400), CStringTable::Load(10401),
                          m_list, m_preview, m_name, m_description);
    // Every selection writes, also one of the entry already chosen (a click on it).
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CChildDlgTemplates::OnSelectionChanged);
    connect(m_list, &QListWidget::itemClicked, this, &CChildDlgTemplates::OnSelectionChanged);
}

void CChildDlgTemplates::ResetToDefaults()
{
    Document().MutableSettings().TemplateType = CorvTemplates::kDefault;
    RefreshFromDocument();
}

void CChildDlgTemplates::RefreshFromDocument()
{
    const int type = Document().Settings().TemplateType;
    {
        const QSignalBlocker blocker(m_list);
        if (CorvTemplates::IsValid(type)) {
            m_list->setCurrentRow(type);
        } else {
            m_list->setCurrentRow(-1);
            m_list->clearSelection();
        }
    }
    ShowTemplatePreview(type);
}

void CChildDlgTemplates::OnSelectionChanged()
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    const int index = m_list->row(selected.first());
    Document().MutableSettings().TemplateType = index;
    Document().SetModifiedFlag();
    ShowTemplatePreview(index);
}

void CChildDlgTemplates::ShowTemplatePreview(int index)
{
    if (index == -1)
        return;
    // A damaged project's index outside the list shows the default choice's picture and text, unnamed.
    const int shown = CorvTemplates::IsValid(index) ? index : CorvTemplates::kDefault;
    m_preview->SetBitmap(CorvTemplates::Preview(shown));
    m_name->setText(CorvTemplates::IsValid(index) ? CorvTemplates::ListText(index) : QString());
    m_description->setText(CorvTemplates::Description(shown));
}
