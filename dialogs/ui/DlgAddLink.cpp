#include "dialogs/ui/DlgAddLink.h"

#include "document/CorvessaDoc.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The glossary item the link's text becomes: a term and its description.
bool AskGlossaryItem(QWidget *parent, const QString &term, QString &termOut, QString &description)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QObject::tr("Add Glossary Item"));
    auto *form = new QFormLayout(&dialog);
    auto *termEdit = new QLineEdit(term, &dialog);
    termEdit->setAccessibleName(QObject::tr("Term"));
    auto *descriptionEdit = new QPlainTextEdit(&dialog);
    descriptionEdit->setAccessibleName(QObject::tr("Description"));
    form->addRow(QObject::tr("&Term:"), termEdit);
    form->addRow(QObject::tr("&Description:"), descriptionEdit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted || termEdit->text().trimmed().isEmpty())
        return false;
    termOut = termEdit->text().trimmed();
    description = descriptionEdit->toPlainText();
    return true;
}

} // namespace

CDlgAddLink::CDlgAddLink(CCorvessaDoc &document, QWidget *parent) : QDialog(parent), m_document(document)
{
    setWindowTitle(tr("Add link"));
    setAccessibleName(tr("Add link"));
    auto *layout = new QVBoxLayout(this);

    m_screenRadio = new QRadioButton(tr("Link to a &screen"), this);
    layout->addWidget(m_screenRadio);
    auto *screenBox = new QGridLayout;
    screenBox->setContentsMargins(20, 0, 0, 0);
    auto *showLabel = new QLabel(tr("Sho&w:"), this);
    m_show = new QComboBox(this);
    m_show->addItems(CAddLinkValues::ShowTexts());
    m_show->setAccessibleName(tr("Show"));
    showLabel->setBuddy(m_show);
    screenBox->addWidget(showLabel, 0, 0);
    screenBox->addWidget(m_show, 0, 1, 1, 3);
    m_screens = new QComboBox(this);
    m_screens->setAccessibleName(tr("Screens"));
    m_screens->setMinimumWidth(320);
    screenBox->addWidget(m_screens, 1, 0, 1, 4);
    m_popup = new QCheckBox(tr("&Open screen in a new window (a \"popup\")"), this);
    screenBox->addWidget(m_popup, 2, 0, 1, 4);
    screenBox->addWidget(new QLabel(tr("Window size:"), this), 3, 0);
    m_maximum = new QRadioButton(tr("Ma&ximum"), this);
    m_custom = new QRadioButton(tr("C&ustom"), this);
    auto *sizeGroup = new QButtonGroup(this);
    sizeGroup->addButton(m_maximum);
    sizeGroup->addButton(m_custom);
    screenBox->addWidget(m_maximum, 3, 1);
    screenBox->addWidget(m_custom, 3, 2);
    m_width = new QSpinBox(this);
    m_width->setRange(CAddLinkValues::kMinWidth, CAddLinkValues::kMaxWidth);
    m_width->setAccessibleName(tr("width"));
    m_height = new QSpinBox(this);
    m_height->setRange(CAddLinkValues::kMinHeight, CAddLinkValues::kMaxHeight);
    m_height->setAccessibleName(tr("height"));
    auto *widthLabel = new QLabel(tr("wi&dth"), this);
    widthLabel->setBuddy(m_width);
    auto *heightLabel = new QLabel(tr("&height"), this);
    heightLabel->setBuddy(m_height);
    screenBox->addWidget(m_width, 4, 1);
    screenBox->addWidget(widthLabel, 4, 2);
    screenBox->addWidget(m_height, 5, 1);
    screenBox->addWidget(heightLabel, 5, 2);
    layout->addLayout(screenBox);

    m_urlRadio = new QRadioButton(tr("Link to a &URL (opens in a new window)"), this);
    layout->addWidget(m_urlRadio);
    auto *urlLabel = new QLabel(tr("Enter the web page address (for example http://www.example.com/page.htm):"), this);
    urlLabel->setContentsMargins(20, 0, 0, 0);
    layout->addWidget(urlLabel);
    m_address = new QLineEdit(this);
    m_address->setAccessibleName(tr("Web address"));
    urlLabel->setBuddy(m_address);
    layout->addWidget(m_address);

    m_scriptRadio = new QRadioButton(tr("Advanced: Link to &Javascript code (e.g. kvx.close();)"), this);
    layout->addWidget(m_scriptRadio);
    m_script = new QLineEdit(this);
    m_script->setAccessibleName(tr("Script"));
    layout->addWidget(m_script);

    auto *modes = new QButtonGroup(this);
    modes->addButton(m_screenRadio);
    modes->addButton(m_urlRadio);
    modes->addButton(m_scriptRadio);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CDlgAddLink::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CDlgAddLink::reject);

    for (QRadioButton *radio : {m_screenRadio, m_urlRadio, m_scriptRadio})
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
            if (on && !m_updating)
                OnModeChanged();
        });
    connect(m_show, &QComboBox::activated, this, &CDlgAddLink::OnShowChanged);
    connect(m_screens, &QComboBox::currentIndexChanged, this, &CDlgAddLink::OnScreenChosen);
    connect(m_popup, &QCheckBox::toggled, this, [this](bool on) {
        if (m_updating)
            return;
        values.SetPopup(on);
        FillScreenList(); // the popup flag changes which course screens are offered
    });
    connect(m_maximum, &QRadioButton::toggled, this, [this](bool on) {
        if (m_updating)
            return;
        values.SetFullSize(on);
        UpdateEnabling();
    });
    connect(m_address, &QLineEdit::textChanged, this, [this](const QString &text) {
        values.SetAddress(text);
        UpdateEnabling();
    });
    connect(m_script, &QLineEdit::textChanged, this, [this](const QString &text) {
        values.SetScriptText(text);
        UpdateEnabling();
    });
    connect(m_width, &QSpinBox::valueChanged, this, [this](int v) {
        if (!m_updating)
            values.popupWidth = v;
    });
    connect(m_height, &QSpinBox::valueChanged, this, [this](int v) {
        if (!m_updating)
            values.popupHeight = v;
    });
}

QPushButton *CDlgAddLink::OkButton() const { return m_buttons->button(QDialogButtonBox::Ok); }

int CDlgAddLink::exec()
{
    ShowValues();
    return QDialog::exec();
}

void CDlgAddLink::ShowValues()
{
    m_updating = true;
    values.SetMode(CAddLinkValues::ScreenMode);
    values.ChooseShow(CAddLinkValues::ShowCourse);
    values.popup = 1;
    values.fullSize = 1;
    m_screenRadio->setChecked(true);
    m_show->setCurrentIndex(CAddLinkValues::ShowCourse);
    m_address->setText(values.address);
    m_script->setText(values.scriptText);
    m_updating = false;
    FillScreenList();
}

void CDlgAddLink::FillScreenList()
{
    m_updating = true;
    const std::vector<CAddLinkValues::Entry> entries = values.FillScreenList(m_document, caption);
    m_screens->clear();
    for (const CAddLinkValues::Entry &entry : entries)
        m_screens->addItem(entry.text, entry.screen);
    m_screens->setCurrentIndex(values.targetScreen == -1 ? -1 : m_screens->findData(values.targetScreen));
    m_updating = false;
    UpdateEnabling();
}

void CDlgAddLink::UpdateEnabling()
{
    m_updating = true;
    const CAddLinkValues::Enabling e = values.GetEnabling();
    m_show->setEnabled(e.showList);
    m_screens->setEnabled(e.screenList);
    m_popup->setEnabled(e.popupBox);
    m_popup->setChecked(e.popupTicked);
    m_maximum->setEnabled(e.sizeRadios);
    m_custom->setEnabled(e.sizeRadios);
    m_maximum->setChecked(values.fullSize != 0);
    m_custom->setChecked(values.fullSize == 0);
    m_width->setEnabled(e.sizeFields);
    m_height->setEnabled(e.sizeFields);
    m_width->setValue(values.popupWidth);
    m_height->setValue(values.popupHeight);
    m_address->setEnabled(e.address);
    m_script->setEnabled(e.script);
    OkButton()->setEnabled(values.IsOkEnabled());
    m_updating = false;
}

void CDlgAddLink::OnModeChanged()
{
    const CAddLinkValues::Mode mode = m_screenRadio->isChecked() ? CAddLinkValues::ScreenMode
                                      : m_urlRadio->isChecked()  ? CAddLinkValues::UrlMode
                                                                 : CAddLinkValues::ScriptMode;
    values.SetMode(mode);
    m_updating = true;
    m_address->setText(values.address);
    m_updating = false;
    FillScreenList();
}

void CDlgAddLink::OnShowChanged(int index)
{
    if (values.ChooseShow(index)) {
        UpdateEnabling();
        QString term;
        QString description;
        bool added = false;
        if (createGlossaryItem)
            added = createGlossaryItem(values.selectedText);
        else if (AskGlossaryItem(this, values.selectedText, term, description))
            added = m_document.AddGlossaryItem(term, description);
        if (added) {
            values.GlossaryItemAdded();
            m_show->setCurrentIndex(CAddLinkValues::ShowGlossary);
        }
    }
    FillScreenList();
}

void CDlgAddLink::OnScreenChosen(int index)
{
    if (m_updating)
        return;
    values.SelectScreen(index < 0 ? -1 : m_screens->itemData(index).toInt());
    UpdateEnabling();
}

void CDlgAddLink::accept()
{
    values.popupWidth = m_width->value();
    values.popupHeight = m_height->value();
    if (!values.IsOkEnabled())
        return;
    QDialog::accept();
}

CDlgUpdateLinkText::CDlgUpdateLinkText(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Replace link text"));
    auto *form = new QFormLayout(this);
    m_edit = new QLineEdit(this);
    m_edit->setAccessibleName(tr("Link Text"));
    form->addRow(tr("&Link Text:"), m_edit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgUpdateLinkText::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgUpdateLinkText::reject);
}

int CDlgUpdateLinkText::exec()
{
    m_edit->setText(text);
    return QDialog::exec();
}

void CDlgUpdateLinkText::accept()
{
    text = m_edit->text();
    QDialog::accept();
}
