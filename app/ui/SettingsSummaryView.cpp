#include "app/ui/SettingsSummaryView.h"

#include "document/CorvessaDoc.h"
#include "document/CourseSettings.h"
#include "platform/StringTable.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QTreeWidget>

namespace {

constexpr int kFirstCategory = 10000;
constexpr int kCategoryCount = 13;

QString ShownValue(const CourseSettingDescriptor &setting, const QVariant &value)
{
    switch (setting.kind) {
    case SettingKind::flag: return value.toInt() == 1 ? QStringLiteral("Yes") : QStringLiteral("No");
    case SettingKind::colour: {
        // Stored as red + green x 256 + blue x 65536.
        const uint colour = value.toUInt();
        return QStringLiteral("#%1%2%3")
            .arg(colour & 0xFF, 2, 16, QLatin1Char('0'))
            .arg((colour >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
            .arg((colour >> 16) & 0xFF, 2, 16, QLatin1Char('0'));
    }
    case SettingKind::date: return QDateTime::fromSecsSinceEpoch(value.toLongLong()).toString(Qt::ISODate);
    case SettingKind::textList: return value.toStringList().join(QStringLiteral(", "));
    default: return value.toString();
    }
}

} // namespace

CSettingsSummaryView::CSettingsSummaryView(CCorvessaDoc &document, QWidget *parent)
    : QWidget(parent), m_document(document), m_tree(new QTreeWidget(this)), m_table(new QTableWidget(this))
{
    setObjectName(QStringLiteral("SettingsView"));
    m_tree->setObjectName(QStringLiteral("CategoryTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(false);
    m_tree->setFixedWidth(190);
    for (int i = 0; i < kCategoryCount; ++i)
        m_tree->addTopLevelItem(new QTreeWidgetItem({CStringTable::Load(kFirstCategory + i)}));

    m_table->setObjectName(QStringLiteral("SettingsTable"));
    m_table->setColumnCount(2);
    m_table->setHorizontalHeaderLabels({QStringLiteral("Setting"), QStringLiteral("Value")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_tree);
    layout->addWidget(m_table, 1);
    m_document.AddObserver(this);
    RefreshFromDocument();
}

CSettingsSummaryView::~CSettingsSummaryView() { m_document.RemoveObserver(this); }

void CSettingsSummaryView::OnUpdate(CCorvessaDoc &) { RefreshFromDocument(); }

void CSettingsSummaryView::RefreshFromDocument()
{
    const auto &settings = CourseSettingTable();
    m_table->setRowCount(int(settings.size()));
    int row = 0;
    for (const CourseSettingDescriptor &setting : settings) {
        m_table->setItem(row, 0, new QTableWidgetItem(setting.DisplayName()));
        m_table->setItem(row, 1, new QTableWidgetItem(ShownValue(setting, setting.Get(m_document))));
        ++row;
    }
    m_table->resizeColumnToContents(0);
}
