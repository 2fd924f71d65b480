#include "app/ui/PageControls.h"

#include "app/ui/SettingsPage.h"
#include "app/ui/controls/ImageStatic.h"
#include "document/CorvessaDoc.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace CorvPageControls {

void ShowChecked(QAbstractButton *button, bool checked)
{
    const QSignalBlocker blocker(button);
    button->setChecked(checked);
}

void ShowText(QLineEdit *edit, const QString &text)
{
    // What shows is now the document's: nothing typed is pending.
    edit->setModified(false);
    if (edit->text() == text)
        return;
    const QSignalBlocker blocker(edit);
    edit->setText(text);
}

void ShowText(QPlainTextEdit *edit, const QString &text)
{
    if (edit->toPlainText() == text)
        return;
    const QSignalBlocker blocker(edit);
    edit->setPlainText(text);
}

bool StoreText(CCorvessaDoc &doc, QString &setting, const QString &text)
{
    if (setting == text)
        return false;
    setting = text;
    doc.SetModifiedFlag();
    return true;
}

bool StoreNumber(CCorvessaDoc &doc, int32_t &setting, int32_t value)
{
    if (setting == value)
        return false;
    setting = value;
    doc.SetModifiedFlag();
    return true;
}

void StoreFlag(CCorvessaDoc &doc, int32_t &setting, bool checked)
{
    setting = checked ? 1 : 0;
    doc.SetModifiedFlag();
}

QCheckBox *FlagBox(const QString &text, int32_t CCourseSettings::*setting, CSettingsPage *page, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    QObject::connect(box, &QCheckBox::clicked, page, [page, setting](bool on) {
        StoreFlag(page->Document(), page->Document().MutableSettings().*setting, on);
    });
    return box;
}

QWidget *ScrollingBody(CSettingsPage *page)
{
    auto *scroll = new QScrollArea(page);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto *body = new QWidget(scroll);
    scroll->setWidget(body);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    return body;
}

void LayOutListWithPreview(CSettingsPage *page, const QString &kind, const QString &explanation,
                           const QString &caption, QListWidget *list, CImageStatic *preview, QLabel *name,
                           QLabel *description)
{
    preview->SetStretch(false);
    preview->setAccessibleName(kind + QStringLiteral(" preview"));
    QFont bold = name->font();
    bold.setPointSize(10);
    bold.setWeight(QFont::DemiBold);
    name->setFont(bold);
    name->setAccessibleName(kind + QStringLiteral(" name"));
    description->setWordWrap(true);
    description->setAccessibleName(kind + QStringLiteral(" description"));
    description->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    auto *grid = new QGridLayout(ScrollingBody(page));
    grid->addWidget(Explanation(explanation, page), 0, 0, 1, 3);
    grid->addWidget(Caption(caption, list, page), 1, 0);
    grid->addWidget(list, 2, 0);
    grid->addWidget(preview, 2, 1, Qt::AlignTop);
    grid->addWidget(name, 3, 0, 1, 3);
    grid->addWidget(description, 4, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(5, 1);
}

QLabel *Explanation(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QLabel *Caption(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    if (buddy->accessibleName().isEmpty())
        buddy->setAccessibleName(QString(text).remove(u'&').trimmed());
    return label;
}

} // namespace CorvPageControls
