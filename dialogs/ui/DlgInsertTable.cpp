#include "dialogs/ui/DlgInsertTable.h"

#include "app/ui/controls/ColorSelectButton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

QImage CDlgInsertTable::HeaderPicture(int kind)
{
    QImage image(48, 36, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const int cw = 16, ch = 12;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            const bool header = ((kind == 2 || kind == 3) && r == 0) || ((kind == 1 || kind == 3) && c == 0);
            const QRect cell(c * cw, r * ch, cw - 1, ch - 1);
            if (header)
                painter.fillRect(cell, QColor(170, 170, 170));
            painter.setPen(Qt::black);
            painter.drawRect(cell);
        }
    return image;
}

CDlgInsertTable::CDlgInsertTable(QWidget *parent) : CValueDialog(parent)
{
    setObjectName(QStringLiteral("DlgInsertTable"));
    setWindowTitle(values.caption);
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    const auto number = [&](const char *name, const char *label, int row, int column) {
        QLineEdit *box = SingleLine(QString::fromLatin1(name), QString::fromLatin1(label));
        box->setMaximumWidth(70);
        grid->addWidget(Label(QString::fromLatin1(label), box), row, column);
        grid->addWidget(box, row, column + 1);
        return box;
    };
    m_rows = number("Rows", "Rows:", 0, 0);
    m_columns = number("Columns", "Columns:", 0, 2);
    m_tableBorder = number("TableBorder", "Table border:", 1, 0);
    m_cellBorder = number("CellBorder", "Cell border thickness:", 1, 2);
    m_padding = number("CellPadding", "Cell padding:", 2, 0);
    SetFocusControl(CInsertTableValues::kRowsBox, m_rows);
    SetFocusControl(CInsertTableValues::kBorderBox, m_tableBorder);
    m_oldStyle = new QCheckBox(QStringLiteral("'Old' style borders"), this);
    m_oldStyle->setObjectName(QStringLiteral("OldStyleBorders"));
    grid->addWidget(m_oldStyle, 2, 2, 1, 2);
    layout->addLayout(grid);

    auto *headers = new QGridLayout;
    headers->addWidget(new QLabel(QStringLiteral("Header:"), this), 1, 0);
    auto *group = new QButtonGroup(this);
    const char *const names[] = {"None", "Left", "Top", "Both"};
    for (int kind = 0; kind < 4; ++kind) {
        auto *picture = new QLabel(this);
        picture->setPixmap(QPixmap::fromImage(HeaderPicture(kind)));
        auto *radio = new QRadioButton(QString::fromLatin1(names[kind]), this);
        radio->setObjectName(QStringLiteral("Header%1").arg(QString::fromLatin1(names[kind])));
        radio->setAccessibleName(QStringLiteral("Header %1").arg(QString::fromLatin1(names[kind])));
        group->addButton(radio, kind);
        m_header[size_t(kind)] = radio;
        headers->addWidget(picture, 0, kind + 1, Qt::AlignHCenter);
        headers->addWidget(radio, 1, kind + 1, Qt::AlignHCenter);
    }
    layout->addLayout(headers);

    m_setColours = new QCheckBox(QStringLiteral("Set colors"), this);
    m_setColours->setObjectName(QStringLiteral("SetColours"));
    layout->addWidget(m_setColours);
    auto *colours = new QGridLayout;
    const auto colour = [&](const char *name, const QString &accessible, int row, int column) {
        auto *button = new CColorSelectButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAccessibleName(accessible);
        colours->addWidget(button, row, column);
        connect(button, &CColorSelectButton::colourClicked, this, [this] { ShowColours(); });
        return button;
    };
    colours->addWidget(new QLabel(QStringLiteral("Table"), this), 0, 1, Qt::AlignHCenter);
    colours->addWidget(new QLabel(QStringLiteral("Cell"), this), 0, 2, Qt::AlignHCenter);
    colours->addWidget(new QLabel(QStringLiteral("Header"), this), 0, 3, Qt::AlignHCenter);
    colours->addWidget(new QLabel(QStringLiteral("Borders:"), this), 1, 0);
    colours->addWidget(new QLabel(QStringLiteral("Background:"), this), 2, 0);
    m_tableBorderColour = colour("TableBorderColour", QStringLiteral("Table border colour"), 1, 1);
    m_cellBorderColour = colour("CellBorderColour", QStringLiteral("Cell border colour"), 1, 2);
    m_tableBackground = colour("TableBackground", QStringLiteral("Table background"), 2, 1);
    m_headerBackground = colour("HeaderBackground", QStringLiteral("Header background"), 2, 3);
    layout->addLayout(colours);

    m_summary = MultiLine(QStringLiteral("Summary"), QStringLiteral("Summary:"), 2);
    layout->addWidget(Label(QStringLiteral("Summary:"), m_summary));
    layout->addWidget(m_summary);
    layout->addWidget(OkCancel());
    connect(m_oldStyle, &QCheckBox::clicked, this, &CDlgInsertTable::OnRuleClicked);
    connect(m_setColours, &QCheckBox::clicked, this, &CDlgInsertTable::OnRuleClicked);
    resize(440, 0);
}

void CDlgInsertTable::ReadChoices(CInsertTableValues &v) const
{
    v.oldStyleBorders = m_oldStyle->isChecked() ? 1 : 0;
    v.setColours = m_setColours->isChecked() ? 1 : 0;
    for (int kind = 0; kind < 4; ++kind)
        if (m_header[size_t(kind)]->isChecked())
            v.headerKind = kind;
    v.tableBorderColour = m_tableBorderColour->GetColor();
    v.cellBorderColour = m_cellBorderColour->GetColor();
    v.tableBackground = m_tableBackground->GetColor();
    v.headerBackground = m_headerBackground->GetColor();
    v.summary = m_summary->toPlainText();
}

void CDlgInsertTable::ShowColours()
{
    // The colour rules over what the buttons hold now, then the buttons as the rules leave them.
    CInsertTableValues v = values;
    ReadChoices(v);
    v.ApplyColourRules();
    m_tableBorderColour->SetColor(v.tableBorderColour);
    m_cellBorderColour->SetColor(v.cellBorderColour);
    m_tableBackground->SetColor(v.tableBackground);
    m_headerBackground->SetColor(v.headerBackground);
    m_tableBackground->setEnabled(v.BackgroundButtonsEnabled());
    m_headerBackground->setEnabled(v.BackgroundButtonsEnabled());
    m_tableBorderColour->setEnabled(v.BorderButtonsEnabled());
    m_cellBorderColour->setEnabled(v.BorderButtonsEnabled());
    m_cellBorder->setEnabled(v.CellBorderEnabled());
}

void CDlgInsertTable::OnRuleClicked() { ShowColours(); }

void CDlgInsertTable::ShowValues()
{
    setWindowTitle(values.caption.isEmpty() ? QStringLiteral("Add table") : values.caption);
    m_rows->setText(QString::number(values.rows));
    m_columns->setText(QString::number(values.columns));
    m_tableBorder->setText(QString::number(values.tableBorder));
    m_cellBorder->setText(QString::number(values.cellBorderThickness));
    m_padding->setText(QString::number(values.cellPadding));
    m_oldStyle->setChecked(values.oldStyleBorders != 0);
    m_setColours->setChecked(values.setColours != 0);
    if (values.headerKind >= 0 && values.headerKind < 4)
        m_header[size_t(values.headerKind)]->setChecked(true);
    m_tableBorderColour->SetColor(values.tableBorderColour);
    m_cellBorderColour->SetColor(values.cellBorderColour);
    m_tableBackground->SetColor(values.tableBackground);
    m_headerBackground->SetColor(values.headerBackground);
    m_summary->setPlainText(values.summary);
    ShowColours();
}

void CDlgInsertTable::accept()
{
    CInsertTableValues read = values;
    if (!ReadInt(m_rows, read.rows) || !ReadInt(m_columns, read.columns) || !ReadInt(m_tableBorder, read.tableBorder)
        || !ReadInt(m_cellBorder, read.cellBorderThickness) || !ReadInt(m_padding, read.cellPadding))
        return;
    ReadChoices(read);
    read.ApplyColourRules();
    if (!Passed(read.Check()))
        return;
    values = read;
    CValueDialog::accept();
}
