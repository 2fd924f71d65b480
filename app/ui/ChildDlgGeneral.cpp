#include "app/ui/ChildDlgGeneral.h"

#include "app/ui/ChdMetadataClosed.h"
#include "app/ui/ChdMetadataOpen.h"
#include "app/ui/PageControls.h"
#include "document/CorvessaDoc.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

using namespace CorvPageControls;

namespace {

using S = CCourseSettings;

struct IdentityField
{
    const char *caption;
    QString S::*text;
    int32_t S::*shown;
};

constexpr IdentityField kIdentity[] = {
    {"Course name", &S::CourseName, &S::ShowCourseName},
    {"Course code", &S::CourseCode, &S::ShowCourseCode},
    {"Author", &S::CourseAuthor, &S::ShowCourseAuthor},
    {"Date", &S::CourseDate, &S::ShowCourseDate},
    {"Description", &S::CourseDescription, &S::ShowCourseDescription},
};

} // namespace

CChildDlgGeneral::CChildDlgGeneral(CCorvessaDoc &document, QWidget *parent) : CSettingsPage(document, parent)
{
    auto *grid = new QGridLayout;
    for (int i = 0; i < IdentityCount; ++i) {
        const IdentityField &field = kIdentity[i];
        QWidget *edit = nullptr;
        if (i == Description) {
            m_description = new QPlainTextEdit(this);
            m_description->setTabChangesFocus(true);
            m_description->setFixedHeight(80);
            connect(m_description, &QPlainTextEdit::textChanged, this, [this] { StoreIdentity(Description); });
            edit = m_description;
        } else {
            auto *line = new QLineEdit(this);
            connect(line, &QLineEdit::textChanged, this, [this, i] { StoreIdentity(Identity(i)); });
            connect(line, &QLineEdit::editingFinished, this, [this, i] { StoreIdentity(Identity(i)); });
            m_edits[size_t(i)] = line;
            edit = line;
        }
        auto *show = new QCheckBox(QStringLiteral("Show on start page"), this);
        show->setAccessibleName(QStringLiteral("Show %1 on start page").arg(QString::fromLatin1(field.caption).toLower()));
        connect(show, &QCheckBox::clicked, this, [this, i](bool on) {
            StoreFlag(Document(), Document().MutableSettings().*kIdentity[i].shown, on);
        });
        m_show[size_t(i)] = show;
        grid->addWidget(Caption(QString::fromLatin1(field.caption), edit, this), i, 0, Qt::AlignTop);
        grid->addWidget(edit, i, 1);
        grid->addWidget(show, i, 2, Qt::AlignTop);
    }
    grid->setColumnStretch(1, 1);

    m_bar = new CChdMetadataClosed(this);
    m_editor = new CChdMetadataOpen(document, this);
    m_editor->setVisible(false);
    connect(m_bar, &CChdMetadataClosed::openRequested, this, &CChildDlgGeneral::OpenMetadataPanel);
    connect(m_editor, &CChdMetadataOpen::closeRequested, this, &CChildDlgGeneral::CloseMetadataPanel);

    auto *layout = new QVBoxLayout(ScrollingBody(this));
    layout->addLayout(grid);
    layout->addSpacing(16);
    layout->addWidget(m_bar);
    layout->addWidget(m_editor);
    layout->addStretch(1);
}

QLineEdit *CChildDlgGeneral::Edit(Identity identity) const
{
    return identity >= 0 && identity < IdentityCount ? m_edits[size_t(identity)] : nullptr;
}

void CChildDlgGeneral::ResetToDefaults()
{
    CCourseSettings &settings = Document().MutableSettings();
    for (const IdentityField &field : kIdentity) {
        (settings.*field.text).clear();
        settings.*field.shown = 1;
    }
    m_editor->ResetToDefaults();
    RefreshFromDocument();
}

void CChildDlgGeneral::RefreshFromDocument()
{
    const CCourseSettings &settings = Document().Settings();
    for (int i = 0; i < IdentityCount; ++i) {
        if (i == Description)
            ShowText(m_description, settings.*kIdentity[i].text);
        else
            ShowText(m_edits[size_t(i)], settings.*kIdentity[i].text);
        ShowChecked(m_show[size_t(i)], settings.*kIdentity[i].shown != 0);
    }
    m_editor->RefreshFromDocument();
}

void CChildDlgGeneral::StoreIdentity(Identity identity)
{
    const QString text = identity == Description ? m_description->toPlainText() : m_edits[size_t(identity)]->text();
    StoreText(Document(), Document().MutableSettings().*kIdentity[identity].text, text);
}

void CChildDlgGeneral::OpenMetadataPanel()
{
    m_bar->setVisible(false);
    m_editor->RefreshFromDocument();
    m_editor->setVisible(true);
    m_editor->Arrow()->setFocus(Qt::OtherFocusReason);
}

void CChildDlgGeneral::CloseMetadataPanel()
{
    m_editor->setVisible(false);
    m_bar->setVisible(true);
    m_bar->Arrow()->setFocus(Qt::OtherFocusReason);
}
