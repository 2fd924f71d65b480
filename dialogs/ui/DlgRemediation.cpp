#include "dialogs/ui/DlgRemediation.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

void Fill(QComboBox *list, const std::vector<CRemediationValues::Entry> &entries)
{
    list->clear();
    for (const auto &e : entries)
        list->addItem(e.text, e.number);
}

} // namespace

CDlgRemediation::CDlgRemediation(const CCorvessaDoc &doc, QWidget *parent) : CValueDialog(parent), m_doc(doc)
{
    setObjectName(QStringLiteral("DlgRemediation"));
    setWindowTitle(QStringLiteral("Remediation"));
    auto *layout = new QVBoxLayout(this);
    m_candidates = new QComboBox(this);
    m_candidates->setObjectName(QStringLiteral("Candidates"));
    m_candidates->setAccessibleName(QStringLiteral("Questions to add"));
    m_add = new QPushButton(QStringLiteral("Add"), this);
    m_add->setObjectName(QStringLiteral("Add"));
    layout->addWidget(Label(QStringLiteral("Select and add questions that count towards this remediation"),
                            m_candidates));
    auto *row = new QHBoxLayout;
    row->addWidget(m_candidates, 1);
    row->addWidget(m_add);
    layout->addLayout(row);
    m_counted = new QListWidget(this);
    m_counted->setObjectName(QStringLiteral("Counted"));
    m_counted->setAccessibleName(QStringLiteral("Questions that count"));
    m_counted->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_remove = new QPushButton(QStringLiteral("Remove"), this);
    m_remove->setObjectName(QStringLiteral("Remove"));
    auto *countedRow = new QHBoxLayout;
    countedRow->addWidget(m_counted, 1);
    countedRow->addWidget(m_remove, 0, Qt::AlignTop);
    layout->addLayout(countedRow);
    m_passMark = new QSpinBox(this);
    m_passMark->setObjectName(QStringLiteral("PassMark"));
    m_passMark->setAccessibleName(QStringLiteral("Set the percentage passmark to avoid remediation"));
    // The arrows run from 0 to 100; a typed mark outside them becomes 80 on OK.
    m_passMark->setRange(-999, 999);
    auto *passRow = new QHBoxLayout;
    passRow->addWidget(Label(QStringLiteral("Set the percentage passmark to avoid remediation"), m_passMark));
    passRow->addWidget(m_passMark);
    passRow->addStretch();
    layout->addLayout(passRow);
    m_reverseOut = new QComboBox(this);
    m_reverseOut->setObjectName(QStringLiteral("ReverseOutTarget"));
    m_reverseOut->setAccessibleName(QStringLiteral("If the user reverses out of remediation go to this screen"));
    m_completion = new QComboBox(this);
    m_completion->setObjectName(QStringLiteral("CompletionTarget"));
    m_completion->setAccessibleName(QStringLiteral("After the user completes remediation go to this screen"));
    layout->addWidget(
        Label(QStringLiteral("If the user \"reverses out\" of remediation go to this screen"), m_reverseOut));
    layout->addWidget(m_reverseOut);
    layout->addWidget(Label(QStringLiteral("After the user completes remediation go to this screen"), m_completion));
    layout->addWidget(m_completion);
    QDialogButtonBox *buttons = OkCancel();
    m_ok = buttons->button(QDialogButtonBox::Ok);
    layout->addWidget(buttons);
    connect(m_add, &QPushButton::clicked, this, &CDlgRemediation::OnAdd);
    connect(m_remove, &QPushButton::clicked, this, &CDlgRemediation::OnRemove);
    connect(m_counted, &QListWidget::itemDoubleClicked, this, &CDlgRemediation::OnRemove);
    resize(560, 0);
}

void CDlgRemediation::ShowValues()
{
    // Counted screens deleted since are left out; the values change only on OK.
    CRemediationValues shown = values;
    shown.DropMissing(m_doc);
    Fill(m_candidates, shown.Candidates(m_doc, caption));
    m_candidates->setCurrentIndex(m_candidates->count() > 0 ? 0 : -1);
    m_counted->clear();
    for (const auto &e : shown.CountedEntries(m_doc, caption)) {
        auto *item = new QListWidgetItem(e.text, m_counted);
        item->setData(Qt::UserRole, e.number);
    }
    m_passMark->setValue(values.passMark);
    const auto reverse = CRemediationValues::Targets(m_doc, caption, CRemediationValues::kLastScreen);
    const auto completion = CRemediationValues::Targets(m_doc, caption, CRemediationValues::kNextScreen);
    Fill(m_reverseOut, reverse);
    Fill(m_completion, completion);
    m_reverseOut->setCurrentIndex(CRemediationValues::IndexOf(reverse, values.reverseOutTarget));
    m_completion->setCurrentIndex(CRemediationValues::IndexOf(completion, values.completionTarget));
    m_ok->setEnabled(m_counted->count() > 0);
}

void CDlgRemediation::OnAdd()
{
    const int at = m_candidates->currentIndex();
    if (at < 0) {
        m_ok->setEnabled(false);
        return;
    }
    auto *item = new QListWidgetItem(m_candidates->itemText(at), m_counted);
    item->setData(Qt::UserRole, m_candidates->itemData(at));
    m_candidates->removeItem(at);
    m_candidates->setCurrentIndex(m_candidates->count() > 0 ? 0 : -1);
    m_ok->setEnabled(true);
}

void CDlgRemediation::OnRemove()
{
    for (int row = m_counted->count() - 1; row >= 0; --row) {
        QListWidgetItem *item = m_counted->item(row);
        if (!item->isSelected())
            continue;
        m_candidates->addItem(item->text(), item->data(Qt::UserRole));
        m_candidates->setCurrentIndex(m_candidates->count() - 1);
        delete m_counted->takeItem(row);
    }
    m_ok->setEnabled(m_counted->count() > 0);
}

void CDlgRemediation::accept()
{
    if (m_counted->count() == 0)
        return;
    CRemediationValues read = values;
    read.passMark = m_passMark->value();
    read.Correct();
    read.counted.clear();
    for (int row = 0; row < m_counted->count(); ++row)
        read.counted.push_back(m_counted->item(row)->data(Qt::UserRole).toInt());
    read.completionTarget = m_completion->currentData().toInt();
    read.reverseOutTarget = m_reverseOut->currentData().toInt();
    values = read;
    CValueDialog::accept();
}
