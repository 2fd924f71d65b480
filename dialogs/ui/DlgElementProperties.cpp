#include "dialogs/ui/DlgElementProperties.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

CDlgElementProperties::CDlgElementProperties(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgElementProperties"));
    setWindowTitle(QStringLiteral("Element Properties"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    const auto spin = [this, form](const char *name, const char *label, int low, int high) {
        auto *box = new QSpinBox(this);
        box->setObjectName(QString::fromLatin1(name));
        // The box takes any number; the placement rules correct it on OK and on Preview.
        box->setRange(-99999, 99999);
        box->setAccessibleName(QString::fromLatin1(label).chopped(1));
        box->setToolTip(QStringLiteral("%1 to %2").arg(low).arg(high));
        form->addRow(QString::fromLatin1(label), box);
        return box;
    };
    m_top = spin("Top", "Top:", 0, CElementPlacement::kCanvasHeight - 1);
    m_left = spin("Left", "Left:", 0, CElementPlacement::kCanvasWidth - 1);
    m_width = spin("Width", "Width:", 1, CElementPlacement::kCanvasWidth);
    m_height = spin("Height", "Height:", 1, CElementPlacement::kCanvasHeight);
    layout->addLayout(form);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton *preview = buttons->addButton(QStringLiteral("Preview"), QDialogButtonBox::ApplyRole);
    preview->setObjectName(QStringLiteral("Preview"));
    connect(preview, &QPushButton::clicked, this, &CDlgElementProperties::OnPreview);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CDlgElementProperties::ShowValues()
{
    m_top->setValue(values.top);
    m_left->setValue(values.left);
    m_width->setValue(values.width);
    m_height->setValue(values.height);
}

int CDlgElementProperties::exec()
{
    ShowValues();
    return QDialog::exec();
}

void CDlgElementProperties::ReadAndClamp()
{
    values.top = m_top->value();
    values.left = m_left->value();
    values.width = m_width->value();
    values.height = m_height->value();
    values.Clamp();
    ShowValues();
}

void CDlgElementProperties::OnPreview()
{
    ReadAndClamp();
    if (onPreview)
        onPreview(values);
}

void CDlgElementProperties::accept()
{
    ReadAndClamp();
    QDialog::accept();
}
