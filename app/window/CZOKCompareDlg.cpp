#include "CZOKCompareDlg.h"

#include "CZOKExchange.h"
#include "CompareTexts.h"
#include "FileComparison.h"
#include "LineText.h"
#include "ResultTable.h"
#include "ZokText.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kTitleText = 240;
constexpr int kWriteTickedText = 256;
constexpr int kCloseText = 257;
constexpr int kReadingText = 258;
constexpr int kWritingText = 259;
constexpr int kSummaryText = 261;
constexpr int kReadErrorText = 141;
constexpr int kReceiverText = 254;
constexpr int kTableName = 485;

// Menu texts end with "..." and mark their accelerator with "&"; a dialog's title does neither.
QString TitleOf(int textId)
{
    QString title = zok::Text(textId).remove(u'&');
    if (title.endsWith(QStringLiteral("...")))
        title.chop(3);
    return title;
}

QString StatusOf(const zok::CompareRow &row)
{
    return row.Verify == zok::VerifyStatus::NotWritten ? zok::RowStatusText(row)
                                                       : zok::VerifyStatusText(row.Verify);
}

} // namespace

CZOKCompareDlg::CZOKCompareDlg(CZOKExchange &engine, CZOKProperties &model, const CZOKProperties &file,
                               std::uint32_t fileKeys, const QString &fileName, QWidget *parent)
    : QDialog(parent), m_update(engine, model, file, fileKeys)
{
    setWindowTitle(TitleOf(kTitleText) + QStringLiteral(" - ") + fileName);
    auto *layout = new QVBoxLayout(this);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    layout->addWidget(m_status);
    m_table = NewResultTable(this, QStringLiteral("rows"), {252, 253, 254, 255});
    m_table->setAccessibleName(zok::Text(kTableName));
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    layout->addWidget(m_table);
    auto *buttons = new QDialogButtonBox(this);
    m_writeTicked = buttons->addButton(zok::Text(kWriteTickedText), QDialogButtonBox::ActionRole);
    m_writeTicked->setObjectName(QStringLiteral("writeTicked"));
    m_close = buttons->addButton(zok::Text(kCloseText), QDialogButtonBox::RejectRole);
    m_close->setObjectName(QStringLiteral("close"));
    layout->addWidget(buttons);
    connect(m_writeTicked, &QPushButton::clicked, this, &CZOKCompareDlg::WriteTicked);
    connect(m_close, &QPushButton::clicked, this, &CZOKCompareDlg::reject);
    connect(m_table, &QTableWidget::itemChanged, this, &CZOKCompareDlg::OnItemChanged);
    connect(&m_update, &zok::CReceiverUpdate::Compared, this, &CZOKCompareDlg::OnCompared);
    connect(&m_update, &zok::CReceiverUpdate::Finished, this, &CZOKCompareDlg::OnFinished);
    m_receiver = zok::Text(kReceiverText) + QString::asprintf(" %.02X", unsigned(engine.ReceiverAddress()));

    const bool readFirst = !engine.ReadSinceOpen();
    m_status->setText(readFirst ? zok::Text(kReadingText) : QString());
    m_update.Start(readFirst);
    UpdateButtons();
}

bool CZOKCompareDlg::Busy() const
{
    const auto step = m_update.Step();
    return step == zok::UpdateStep::Reading || step == zok::UpdateStep::Writing ||
           step == zok::UpdateStep::ReadingBack;
}

void CZOKCompareDlg::reject()
{
    // The dialog shows the sequence in progress and puts the model back if its read-back fails.
    if (!Busy())
        QDialog::reject();
}

void CZOKCompareDlg::WriteTicked()
{
    if (m_update.Step() != zok::UpdateStep::Compared)
        return;
    m_status->setText(zok::Text(kWritingText));
    m_update.WriteTicked();
    UpdateButtons();
}

void CZOKCompareDlg::OnCompared()
{
    m_status->setText(m_receiver + QStringLiteral("   ") + m_update.Firmware().trimmed());
    ShowRows();
    FitToRows();
    UpdateButtons();
    m_writeTicked->setFocus();
}

// Every column and every row in view where the screen allows.
void CZOKCompareDlg::FitToRows()
{
    const int frame = 2 * m_table->frameWidth();
    int width = frame + m_table->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < m_table->columnCount(); ++column)
        width += m_table->columnWidth(column);
    const int height = frame + m_table->horizontalHeader()->height() +
                       m_table->rowCount() * m_table->verticalHeader()->defaultSectionSize();
    m_table->setMinimumSize(width, std::min(height, 600));
    adjustSize();
}

void CZOKCompareDlg::OnFinished()
{
    const auto &rows = m_update.Rows();
    if (rows.empty()) {
        m_status->setText(zok::Text(kReadErrorText));
    } else {
        const int ticked = zok::CountTicked(rows);
        QString text =
            FillText(kSummaryText, {QString::number(m_update.WrittenCount()),
                                    QString::number(zok::CountVerify(rows, zok::VerifyStatus::Verified))});
        if (ticked > 0 && !m_update.Succeeded())
            text += u' ' + m_update.FailureText();
        m_status->setText(text);
    }
    ShowRows();
    UpdateButtons();
    m_close->setFocus();
}

void CZOKCompareDlg::ShowRows()
{
    m_filling = true;
    const auto &rows = m_update.Rows();
    m_table->setRowCount(static_cast<int>(rows.size()));
    const bool tickable = m_update.Step() == zok::UpdateStep::Compared;
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const auto &row = rows[static_cast<std::size_t>(i)];
        auto *name = new QTableWidgetItem(row.Name);
        // A row that cannot be written is greyed out, its box never ticked.
        Qt::ItemFlags flags = row.Tickable ? Qt::ItemIsEnabled : Qt::NoItemFlags;
        if (row.Tickable && tickable)
            flags |= Qt::ItemIsUserCheckable;
        name->setFlags(flags);
        name->setCheckState(row.Ticked ? Qt::Checked : Qt::Unchecked);
        m_table->setItem(i, 0, name);
        const QString texts[] = {row.FileText, row.ReceiverText, StatusOf(row)};
        for (int column = 1; column <= 3; ++column) {
            auto *item = new QTableWidgetItem(texts[column - 1]);
            item->setFlags(Qt::ItemIsEnabled);
            m_table->setItem(i, column, item);
        }
    }
    m_table->resizeColumnsToContents();
    m_filling = false;
}

void CZOKCompareDlg::OnItemChanged(QTableWidgetItem *item)
{
    if (m_filling || item->column() != 0)
        return;
    auto &rows = m_update.Rows();
    const auto index = static_cast<std::size_t>(item->row());
    if (index >= rows.size())
        return;
    if (!zok::SetTicked(rows[index], item->checkState() == Qt::Checked)) {
        m_filling = true;
        item->setCheckState(Qt::Unchecked);
        m_filling = false;
    }
    UpdateButtons();
}

void CZOKCompareDlg::UpdateButtons()
{
    const bool compared = m_update.Step() == zok::UpdateStep::Compared;
    m_writeTicked->setEnabled(compared && zok::CountTicked(m_update.Rows()) > 0);
    m_close->setEnabled(!Busy());
}
