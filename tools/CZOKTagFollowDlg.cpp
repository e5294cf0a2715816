#include "CZOKTagFollowDlg.h"

#include "CTagTableModel.h"
#include "CToolTimer.h"
#include "ExchangeEvents.h"
#include "IToolExchange.h"
#include "ToolFrames.h"
#include "ToolText.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

using zok::tools::Caption;

namespace {
constexpr int kSilencePeriodMs = 1000;
// How often the table's "in range" column is judged again while no report comes.
constexpr int kRangePeriodMs = 1000;

QString silenceLine(int seconds)
{
    // Fixed French text in both languages.
    return QStringLiteral("Nombre de secondes sans réception : %1").arg(seconds);
}

QLineEdit *readOnlyEdit(const char *id, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(id));
    edit->setReadOnly(true);
    return edit;
}
} // namespace

CZOKTagFollowDlg::CZOKTagFollowDlg(IToolExchange &exchange, QWidget *parent)
    : CZOKToolDialog(parent, WM_TAG_FRAME), m_exchange(exchange)
{
    setWindowTitle(QStringLiteral("Suivi d'un tag"));
    m_silenceTimer = new CToolTimer(QStringLiteral("777"), this);
    connect(m_silenceTimer, &CToolTimer::tick, this, &CZOKTagFollowDlg::silenceTick);
    m_rangeTimer = new CToolTimer(QStringLiteral("range"), this);
    connect(m_rangeTimer, &CToolTimer::tick, this, &CZOKTagFollowDlg::scheduleRefresh);
    buildControls();
    swallowEnter();
}

void CZOKTagFollowDlg::buildControls()
{
    m_typed = new QLineEdit(this);
    m_typed->setObjectName(QStringLiteral("1017"));
    m_scan = new QPushButton(Caption("Scan", "Suivre"), this);
    m_scan->setObjectName(QStringLiteral("1012"));
    m_followed = readOnlyEdit("1004", this);
    m_bar = createLevelBar();
    m_level = readOnlyEdit("1005", this);
    m_level->setAlignment(Qt::AlignRight);
    m_level->setFixedWidth(m_level->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    m_silence = readOnlyEdit("1006", this);
    m_silence->setMinimumWidth(m_silence->fontMetrics().horizontalAdvance(silenceLine(88888)) + 12);

    // Screen readers name the fields by their labels, and the level and silence by their texts.
    m_bar->setAccessibleName(zok::Text(335));
    m_level->setAccessibleName(zok::Text(335));
    m_silence->setAccessibleName(zok::Text(483));
    auto *typedLabel = new QLabel(Caption("Tag ID :", "ID Tag :"), this);
    typedLabel->setBuddy(m_typed);
    auto *followedLabel = new QLabel(Caption("Scanned Tag :", "Tag suivi :"), this);
    followedLabel->setBuddy(m_followed);

    auto *grid = new QGridLayout(this);
    grid->addWidget(typedLabel, 0, 0);
    grid->addWidget(m_typed, 0, 1);
    grid->addWidget(m_scan, 0, 2);
    grid->addWidget(followedLabel, 1, 0);
    grid->addWidget(m_followed, 1, 1, 1, 2);
    auto *levelRow = new QHBoxLayout;
    levelRow->addWidget(m_bar, 1);
    levelRow->addWidget(m_level);
    grid->addLayout(levelRow, 2, 0, 1, 3);
    grid->addWidget(m_silence, 3, 0, 1, 3);
    grid->addWidget(buildTagTable(), 4, 0, 1, 3);
    // Made after the table above it: Tab follows the order of making.
    auto *exit = new QPushButton(Caption("Exit", "Fermer"), this);
    exit->setObjectName(QStringLiteral("1"));
    grid->addWidget(exit, 5, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);

    connect(m_scan, &QPushButton::clicked, this, &CZOKTagFollowDlg::scan);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
}

QWidget *CZOKTagFollowDlg::buildTagTable()
{
    auto *group = new QGroupBox(zok::Text(297), this);
    m_tagModel = new CTagTableModel(m_tags, this);
    auto *sorted = new QSortFilterProxyModel(this);
    sorted->setSourceModel(m_tagModel);
    sorted->setSortRole(Qt::UserRole);
    m_tagTable = new QTableView(group);
    m_tagTable->setObjectName(QStringLiteral("1290"));
    m_tagTable->setAccessibleName(zok::Text(297));
    m_tagTable->setModel(sorted);
    m_tagTable->setSortingEnabled(true);
    m_tagTable->sortByColumn(CTagTableModel::Id, Qt::AscendingOrder);
    m_tagTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tagTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tagTable->verticalHeader()->hide();
    m_tagTable->setWordWrap(false);
    // Widths fixed once from the texts they hold: measuring every row at each refresh would cost
    // in proportion to the tags heard.
    const QFontMetrics metrics = m_tagTable->fontMetrics();
    const QString samples[] = {QStringLiteral("FFFFFFFFFF"), QStringLiteral("0000000"),
                               QStringLiteral("00:00:00"), QStringLiteral("00:00:00"), QString()};
    int width = 0;
    for (int column = 0; column < CTagTableModel::ColumnCount; ++column) {
        const QString header = m_tagModel->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        // Room for the sort arrow beside the header text.
        const int w =
            std::max(metrics.horizontalAdvance(samples[column]), metrics.horizontalAdvance(header)) + 36;
        m_tagTable->setColumnWidth(column, w);
        width += w;
    }
    m_tagTable->horizontalHeader()->setStretchLastSection(true);
    m_tagTable->setMinimumSize(width + 24, m_tagTable->verticalHeader()->defaultSectionSize() * 7);

    auto *clear = new QPushButton(zok::Text(295), group);
    clear->setObjectName(QStringLiteral("1291"));
    auto *save = new QPushButton(zok::Text(296), group);
    save->setObjectName(QStringLiteral("1292"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addWidget(save);
    buttons->addStretch(1);
    auto *rows = new QVBoxLayout(group);
    rows->addWidget(m_tagTable, 1);
    rows->addLayout(buttons);
    connect(clear, &QPushButton::clicked, this, &CZOKTagFollowDlg::clearTags);
    connect(save, &QPushButton::clicked, this, &CZOKTagFollowDlg::saveTags);
    return group;
}

void CZOKTagFollowDlg::onOpening()
{
    m_typed->clear();
    m_followed->clear();
    m_level->clear();
    m_silence->clear();
    m_bar->setValue(0);
    m_silenceCount = 0;
    m_following = false;
    m_shownLevel.reset();
    m_tags.clear();
    m_tagModel->refresh(now());
    m_rangeTimer->start(kRangePeriodMs);
    m_exchange.RegisterMonitor(MonitorKind::TagTracking, this);
    m_exchange.EnterTagTracking();
}

void CZOKTagFollowDlg::onClosing()
{
    m_silenceTimer->stop();
    m_rangeTimer->stop();
}

bool CZOKTagFollowDlg::isValidIdentifier(const QString &identifier)
{
    if (identifier.size() < 2 || identifier.size() % 2 != 0)
        return false;
    for (QChar c : identifier) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F')))
            return false;
    }
    return true;
}

void CZOKTagFollowDlg::scan()
{
    const QString identifier = m_typed->text().toUpper();
    m_typed->setText(identifier);
    if (!isValidIdentifier(identifier)) {
        showMessage(zok::Text(151), QMessageBox::Critical);
        return;
    }
    m_silenceCount = 0;
    m_silenceTimer->stop();
    m_shownLevel.reset();
    m_bar->setValue(0);
    m_followed->setText(identifier);
    m_level->clear();
    showSilence();
    m_following = true;
}

void CZOKTagFollowDlg::handleFrame(const QString &text)
{
    // Every report counts in the table, followed or not; the controls change at the next refresh.
    const int address = m_exchange.ReceiverAddress();
    if (m_tags.record(text, address, now()))
        scheduleRefresh();
    if (!m_following)
        return;
    const auto level = zok::tools::ParseTagReport(text, m_followed->text(), address);
    if (!level)
        return;
    m_shownLevel = *level;
    m_silenceTimer->start(kSilencePeriodMs);
    m_silenceCount = 0;
    scheduleRefresh();
}

void CZOKTagFollowDlg::refreshView()
{
    ++m_refreshCount;
    if (m_shownLevel) {
        m_bar->setValue(*m_shownLevel);
        m_level->setText(QString::number(*m_shownLevel));
        m_shownLevel.reset();
        showSilence();
    }
    m_tagModel->refresh(now());
}

void CZOKTagFollowDlg::clearTags()
{
    m_tags.clear();
    m_tagModel->refresh(now());
}

void CZOKTagFollowDlg::saveTags()
{
    const auto chosen =
        chooseFile(ToolFileRequest{zok::Text(299), zok::Text(286), QStringLiteral("tags.csv")});
    if (!chosen)
        return;
    // Written whole or not at all: a half-written table would pass for the full one.
    QSaveFile file(*chosen);
    const QByteArray csv = m_tags.ToCsv(now());
    if (file.open(QIODevice::WriteOnly) && file.write(csv) == csv.size() && file.commit())
        return;
    showMessage(zok::Text(287).arg(QDir::toNativeSeparators(*chosen), file.errorString()),
                QMessageBox::Critical);
}

void CZOKTagFollowDlg::silenceTick()
{
    ++m_silenceCount;
    showSilence();
}

void CZOKTagFollowDlg::showSilence()
{
    m_silence->setText(silenceLine(m_silenceCount));
}
