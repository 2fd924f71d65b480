#include "dialogs/ui/DlgAddScreen.h"

#include "dialogs/ScreenDialogValues.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QVBoxLayout>

namespace {

// Where the pictures of each layout stand on a screen, in eighths of its width and height.
struct Box {
    int x, y, w, h;
};

std::vector<Box> Pictures(int code)
{
    switch (code) {
    case 0: return {{0, 0, 4, 4}};
    case 1: return {{4, 0, 4, 4}};
    case 2: return {{0, 4, 4, 4}};
    case 3: return {{4, 4, 4, 4}};
    case 4: return {{0, 0, 4, 4}, {4, 4, 4, 4}};
    case 5: return {{4, 0, 4, 4}, {0, 4, 4, 4}};
    case 6: return {{0, 0, 8, 4}};
    case 7: return {{0, 0, 4, 8}};
    case 8: return {{0, 4, 8, 4}};
    case 9: return {{4, 0, 4, 8}};
    default: return {};
    }
}

} // namespace

QImage CDlgAddScreen::PreviewImage(int code)
{
    QImage image(181, 135, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QRect area(8, 8, 165, 119);
    painter.setPen(QColor(120, 120, 120));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    if (code == 14)
        return image;
    const double ux = area.width() / 8.0, uy = area.height() / 8.0;
    QRegion text(area.adjusted(6, 6, -6, -6));
    for (const Box &b : Pictures(code)) {
        const QRect r(area.left() + int(b.x * ux) + 4, area.top() + int(b.y * uy) + 4, int(b.w * ux) - 8,
                      int(b.h * uy) - 8);
        painter.fillRect(r, QColor(150, 180, 210));
        painter.drawLine(r.topLeft(), r.bottomRight());
        painter.drawLine(r.bottomLeft(), r.topRight());
        text -= r.adjusted(-4, -4, 4, 4);
    }
    // Text lines wherever no picture stands.
    painter.setPen(QColor(90, 90, 90));
    for (int y = area.top() + 12; y < area.bottom() - 6; y += 9)
        for (const QRect &r : text)
            if (y >= r.top() && y <= r.bottom())
                painter.drawLine(r.left() + 2, y, r.right() - 2, y);
    return image;
}

CDlgAddScreen::CDlgAddScreen(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgAddScreen"));
    setWindowTitle(QStringLiteral("Template"));
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(QStringLiteral("Select the template to use:"), this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("Templates"));
    m_list->setAccessibleName(QStringLiteral("Select the template to use"));
    m_list->addItems(AddScreenChoice::EntryTexts());
    label->setBuddy(m_list);
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("TemplatePreview"));
    m_preview->setFixedSize(181, 135);
    m_preview->setAccessibleName(QStringLiteral("Preview"));
    layout->addWidget(label);
    auto *row = new QHBoxLayout;
    row->addWidget(m_list, 1);
    row->addWidget(m_preview, 0, Qt::AlignTop);
    layout->addLayout(row);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_preview->setPixmap(QPixmap::fromImage(PreviewImage(AddScreenChoice::TemplateCode(row))));
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    m_list->setCurrentRow(0);
    resize(560, 320);
}

void CDlgAddScreen::accept()
{
    templateCode = AddScreenChoice::TemplateCode(m_list->currentRow());
    QDialog::accept();
}
