#include "CZOKCloneDlg.h"

#include "LineText.h"
#include "ResultTable.h"
#include "ShowMessageBox.h"
#include "ZokText.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kTitleText = 241;
constexpr int kCloseText = 257;
constexpr int kScanningText = 262;
constexpr int kCancelText = 267;
constexpr int kSaveCsvText = 268;
constexpr int kReceiverText = 269;
constexpr int kCsvErrorText = 278;
constexpr int kResultColumn = 3;
constexpr int kSpeedColumn = 4;
constexpr int kNarrowestResultColumn = 200;
constexpr int kTableName = 486;
constexpr int kProgressName = 57347;

QString TitleOf(int textId)
{
    QString title = zok::Text(textId).remove(u'&');
    if (title.endsWith(QStringLiteral("...")))
        title.chop(3);
    return title;
}

std::optional<QString> StandardCsvChooser(QWidget *parent)
{
    const QString path = QFileDialog::getSaveFileName(parent, zok::Text(kSaveCsvText), QString(),
                                                      QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty())
        return std::nullopt;
    return path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ? path : path + QStringLiteral(".csv");
}

} // namespace

CZOKCloneDlg::CZOKCloneDlg(CZOKExchange &engine, CZOKProperties &model,
                           zok::CCloneBatch::SelectReceiver select, std::uint8_t selectedAddress,
                           const CZOKProperties &file, std::uint32_t fileKeys, const QString &fileName,
                           QWidget *parent)
    : QDialog(parent), m_batch(engine, model, std::move(select), selectedAddress),
      m_chooseCsv(StandardCsvChooser)
{
    setWindowTitle(TitleOf(kTitleText) + QStringLiteral(" - ") + fileName);
    auto *layout = new QVBoxLayout(this);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);
    layout->addWidget(m_status);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setRange(0, 100);
    layout->addWidget(m_progress);
    m_progress->setAccessibleName(zok::Text(kProgressName));
    m_table = NewResultTable(this, QStringLiteral("results"), zok::CloneColumnTextIds());
    m_table->setAccessibleName(zok::Text(kTableName));
    // A result longer than the screen allows wraps inside its row instead of scrolling sideways.
    m_table->setWordWrap(true);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setColumnHidden(kSpeedColumn, true);
    layout->addWidget(m_table);
    auto *buttons = new QDialogButtonBox(this);
    m_cancel = buttons->addButton(zok::Text(kCancelText), QDialogButtonBox::ActionRole);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_save = buttons->addButton(zok::Text(kSaveCsvText), QDialogButtonBox::ActionRole);
    m_save->setObjectName(QStringLiteral("saveCsv"));
    m_close = buttons->addButton(zok::Text(kCloseText), QDialogButtonBox::RejectRole);
    m_close->setObjectName(QStringLiteral("close"));
    layout->addWidget(buttons);
    connect(m_cancel, &QPushButton::clicked, this, &CZOKCloneDlg::Cancel);
    connect(m_save, &QPushButton::clicked, this, &CZOKCloneDlg::SaveCsv);
    connect(m_close, &QPushButton::clicked, this, &CZOKCloneDlg::reject);
    connect(&m_batch, &zok::CCloneBatch::ScanFinished, this, &CZOKCloneDlg::OnScanFinished);
    connect(&m_batch, &zok::CCloneBatch::ReceiverStarted, this, &CZOKCloneDlg::OnReceiverStarted);
    connect(&m_batch, &zok::CCloneBatch::ReceiverFinished, this, &CZOKCloneDlg::OnReceiverFinished);
    connect(&m_batch, &zok::CCloneBatch::Finished, this, &CZOKCloneDlg::OnFinished);
    resize(640, 420);

    m_status->setText(zok::Text(kScanningText));
    m_batch.Start(file, fileKeys);
    UpdateButtons();
}

void CZOKCloneDlg::reject()
{
    // Closing is Cancel while the batch runs: it ends after the receiver in progress.
    if (m_batch.Running())
        Cancel();
    else
        QDialog::reject();
}

void CZOKCloneDlg::Cancel()
{
    m_batch.Cancel();
    UpdateButtons();
}

void CZOKCloneDlg::SaveCsv()
{
    if (m_batch.Running())
        return;
    const auto path = m_chooseCsv(this);
    if (path && !zok::SaveCloneCsv(*path, m_batch.Results()))
        ShowMessageBox(this, zok::Text(kCsvErrorText), QStringLiteral("ZOK"), QMessageBox::Critical);
}

void CZOKCloneDlg::OnScanFinished()
{
    const auto &results = m_batch.Results();
    m_table->setRowCount(static_cast<int>(results.size()));
    for (int i = 0; i < static_cast<int>(results.size()); ++i)
        ShowResult(i, false);
    FitColumns();
    m_progress->setValue(0);
}

void CZOKCloneDlg::OnReceiverStarted(int index)
{
    const auto &results = m_batch.Results();
    m_status->setText(FillText(kReceiverText, {results[static_cast<std::size_t>(index)].AddressText(),
                                               QString::number(index + 1), QString::number(results.size())}));
}

void CZOKCloneDlg::OnReceiverFinished(int index)
{
    ShowResult(index, true);
    FitColumns();
    m_progress->setValue((index + 1) * 100 / static_cast<int>(m_batch.Results().size()));
}

void CZOKCloneDlg::OnFinished()
{
    for (int i = 0; i < static_cast<int>(m_batch.Results().size()); ++i)
        ShowResult(i, true);
    FitColumns();
    m_progress->setValue(100);
    m_status->setText(m_batch.SummaryText());
    UpdateButtons();
    m_close->setFocus();
}

// A receiver not yet done shows its address only. The whole result is also the row's tool tip.
void CZOKCloneDlg::ShowResult(int index, bool done)
{
    const auto &result = m_batch.Results()[static_cast<std::size_t>(index)];
    const bool cancelled = result.Result == zok::CloneResult::Outcome::Cancelled;
    const QString outcome = done ? result.ResultText() : QString();
    const QString texts[] = {result.AddressText(), result.Firmware,
                             done && !cancelled ? QString::number(result.Written) : QString(), outcome,
                             done ? result.SpeedText() : QString()};
    for (int column = 0; column < m_table->columnCount(); ++column) {
        auto *item = new QTableWidgetItem(texts[column]);
        item->setToolTip(outcome);
        m_table->setItem(index, column, item);
    }
}

// Every column as wide as its texts, the dialog widened to show them; where the screen is too
// narrow for a result, the result column takes the room left and its text wraps.
void CZOKCloneDlg::FitColumns()
{
    // The speed column only while a receiver listens at another speed than the line.
    const auto &results = m_batch.Results();
    m_table->setColumnHidden(kSpeedColumn, std::ranges::none_of(results, [](const zok::CloneResult &r) {
                                 return r.OtherBaud != 0;
                             }));
    m_table->resizeColumnsToContents();
    int others = 2 * m_table->frameWidth() + m_table->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < m_table->columnCount(); ++column) {
        if (column != kResultColumn && !m_table->isColumnHidden(column))
            others += m_table->columnWidth(column);
    }
    const int around = width() - m_table->width();
    const int room = screen()->availableGeometry().width() * 9 / 10 - around - others;
    const int result = std::min(m_table->columnWidth(kResultColumn), std::max(room, kNarrowestResultColumn));
    m_table->setColumnWidth(kResultColumn, result);
    m_table->resizeRowsToContents();
    m_table->setMinimumWidth(others + result);
    resize(std::max(width(), minimumSizeHint().width()), height());
}

void CZOKCloneDlg::UpdateButtons()
{
    const bool running = m_batch.Running();
    m_cancel->setEnabled(running && !m_batch.CancelRequested());
    m_save->setEnabled(!running && !m_batch.Results().empty());
    m_close->setEnabled(!running);
}
