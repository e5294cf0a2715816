#include "CCloneBatch.h"

#include "CZOKExchange.h"
#include "CZOKProperties.h"
#include "CompareTexts.h"
#include "ExchangeEvents.h"
#include "FileComparison.h"
#include "LineText.h"
#include "LinkSpeed.h"
#include "ParameterId.h"
#include "ParameterWire.h"
#include "ZokText.h"

#include <QTimerEvent>

#include <algorithm>
#include <set>

namespace zok {

namespace {
constexpr int kFailedAtText = 274;
constexpr int kSummaryText = 276;
constexpr int kSpeedChangedText = 277;
constexpr int kSpeedConfigurationOffText = 251;
constexpr int kDifferencesLeftSummaryText = 352;
constexpr int kOtherSpeedsText = 353;
constexpr int kOtherSpeedText = 354;
constexpr int kNameAndReasonText = 357;

int StepTextId(UpdateStep step)
{
    switch (step) {
    case UpdateStep::Writing:
        return 271;
    case UpdateStep::ReadingBack:
        return 272;
    case UpdateStep::Verifying:
        return 273;
    default:
        break;
    }
    return 270;
}

int SpeedIndexOfBaud(int baud)
{
    for (int index = 0; index < kLinkSpeedCount; ++index) {
        if (SpeedFromIndex(index) == baud)
            return index;
    }
    return -1;
}

const CompareRow *SpeedRow(const std::vector<CompareRow> &rows)
{
    const auto row = std::ranges::find(rows, ParameterId::RX_VITESSE, &CompareRow::Id);
    return row != rows.end() && row->Ticked && row->FileValue ? &*row : nullptr;
}

bool SpeedVerified(const std::vector<CompareRow> &rows)
{
    const CompareRow *row = SpeedRow(rows);
    return row != nullptr && row->Verify == VerifyStatus::Verified;
}

// The file's speed once the receiver acknowledged it (it changes speed after acknowledging, even
// when the read back at that speed then failed); 0 when it stayed where it was.
int AcknowledgedBaud(const std::vector<CompareRow> &rows)
{
    const CompareRow *row = SpeedRow(rows);
    if (row == nullptr || row->Verify == VerifyStatus::NotWritten ||
        row->Verify == VerifyStatus::NotAcknowledged)
        return 0;
    return SpeedFromIndex(ModelValueOf(ParameterId::RX_VITESSE, *row->FileValue));
}

// The rows that still differ because they could not be written, each with why.
QStringList DifferencesLeft(const std::vector<CompareRow> &rows)
{
    QStringList left;
    for (const auto &row : rows) {
        if (row.Status != CompareStatus::Differs || row.Ticked)
            continue;
        QString name = row.Name.trimmed();
        if (name.endsWith(u'.'))
            name.chop(1);
        const bool speed = row.Id == ParameterId::RX_VITESSE && !row.Tickable;
        left << FillText(kNameAndReasonText,
                         {name, speed ? Text(kSpeedConfigurationOffText) : CompareStatusText(row.Status)});
    }
    return left;
}

} // namespace

CCloneBatch::CCloneBatch(CZOKExchange &engine, CZOKProperties &model, SelectReceiver selectReceiver,
                         std::uint8_t selectedAddress, QObject *parent)
    : QObject(parent), m_engine(engine), m_model(model), m_select(std::move(selectReceiver)),
      m_selectedAddress(selectedAddress), m_file(std::make_unique<CZOKProperties>()),
      m_modelBefore(std::make_unique<CZOKProperties>())
{
    // Queued: the engine finishes its own step (state, timer, grid) first.
    connect(&m_engine, &CZOKExchange::ReadFinished, this, &CCloneBatch::OnFinalRead, Qt::QueuedConnection);
}

CCloneBatch::~CCloneBatch()
{
    if (m_running && !m_finalRead)
        Restore();
}

void CCloneBatch::Start(const CZOKProperties &file, std::uint32_t fileKeys)
{
    if (m_running || m_engine.State() != ExchangeState::Idle)
        return;
    *m_file = file;
    m_fileKeys = fileKeys;
    *m_modelBefore = m_model;
    m_firmwareBefore = m_engine.FirmwareText();
    m_modifiedBefore = m_engine.PropertiesModified();
    m_dontShowWarningBefore = m_engine.DontShowSpeedWarning();
    m_startSpeedIndex = m_engine.IsPortOpen() ? SpeedIndexOfBaud(m_engine.Port().QueryBaudRate()) : -1;
    // The rows say when the speed is not written; one warning per receiver would stop the batch.
    m_engine.SetDontShowSpeedWarning(true);
    m_running = true;
    m_scanning = true;
    m_cancel = false;
    m_wroteSelected = false;
    m_finalRead = false;
    m_results.clear();
    m_speedText.clear();
    m_engine.RegisterMonitor(MonitorKind::ReceiverScan, this);
    m_engine.StartReceiverScan();
    if (m_engine.State() != ExchangeState::ReceiverScan) {
        // A closed port sends nothing: nobody can answer.
        EndScan();
        return;
    }
    m_scanTimer.start(m_scanQuietMs, this);
}

void CCloneBatch::Cancel()
{
    if (!m_running)
        return;
    m_cancel = true;
    if (m_scanning)
        EndScan();
}

bool CCloneBatch::event(QEvent *event)
{
    if (event->type() != WM_SCAN_ADDRESS)
        return QObject::event(event);
    const int address = static_cast<ScanAddressEvent *>(event)->address();
    if (!m_scanning || address < 0 || address > 255)
        return true;
    const auto known =
        std::ranges::any_of(m_results, [address](const CloneResult &r) { return r.Address == address; });
    if (!known) {
        CloneResult result;
        result.Address = static_cast<std::uint8_t>(address);
        m_results.push_back(result);
    }
    m_scanTimer.start(m_scanQuietMs, this);
    return true;
}

void CCloneBatch::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_scanTimer.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    EndScan();
}

void CCloneBatch::EndScan()
{
    m_scanTimer.stop();
    m_scanning = false;
    m_engine.EndMonitoring();
    std::ranges::sort(m_results, {}, &CloneResult::Address);
    emit ScanFinished();
    m_current = -1;
    StartNext();
}

void CCloneBatch::StartNext()
{
    const int next = m_current + 1;
    if (m_cancel || next >= static_cast<int>(m_results.size())) {
        Finish();
        return;
    }
    m_current = next;
    m_select(m_results[static_cast<std::size_t>(next)].Address);
    m_update = std::make_unique<CReceiverUpdate>(m_engine, m_model, *m_file, m_fileKeys);
    CReceiverUpdate *update = m_update.get();
    connect(update, &CReceiverUpdate::Compared, update, &CReceiverUpdate::WriteTicked);
    // Queued: the update is replaced only once it has returned from its own signal.
    connect(update, &CReceiverUpdate::Finished, this, &CCloneBatch::OnReceiverFinished, Qt::QueuedConnection);
    emit ReceiverStarted(next);
    update->Start(true);
}

void CCloneBatch::OnReceiverFinished()
{
    CloneResult &result = m_results[static_cast<std::size_t>(m_current)];
    const CReceiverUpdate &update = *m_update;
    result.Firmware = update.Firmware().trimmed();
    result.Written = update.WrittenCount();
    result.SpeedChanged = SpeedVerified(update.Rows());
    result.OtherBaud = AcknowledgedBaud(update.Rows());
    const int ticked = CountTicked(update.Rows());
    if (result.Address == m_selectedAddress && ticked > 0)
        m_wroteSelected = true;
    const QStringList left = DifferencesLeft(update.Rows());
    if (!update.Succeeded()) {
        result.Result = CloneResult::Outcome::Failed;
        result.Failure =
            FillText(kFailedAtText, {Text(StepTextId(update.FailedStep())), update.FailureText()});
    } else if (!left.isEmpty()) {
        result.Result = CloneResult::Outcome::DifferencesLeft;
        result.LeftCount = static_cast<int>(left.size());
        result.LeftReason = left.join(QStringLiteral("; "));
    } else {
        // Nothing written and nothing different: the receiver already held the file.
        result.Result = ticked > 0 ? CloneResult::Outcome::Verified : CloneResult::Outcome::Identical;
    }
    m_update.reset();
    ReturnToStartSpeed();
    emit ReceiverFinished(m_current);
    StartNext();
}

// The next receiver still listens at the speed of the scan.
void CCloneBatch::ReturnToStartSpeed()
{
    if (m_startSpeedIndex < 0 || !m_engine.IsPortOpen() ||
        SpeedFromIndex(m_startSpeedIndex) == m_engine.Port().QueryBaudRate())
        return;
    m_engine.ChangeLinkSpeed(m_startSpeedIndex, false);
}

void CCloneBatch::Finish()
{
    m_current = -1;
    // The line stays at the file's speed only when every receiver on it now listens there.
    const bool allMoved = !m_results.empty() &&
                          std::ranges::all_of(m_results, [](const CloneResult &r) { return r.SpeedChanged; });
    if (allMoved) {
        const int index = m_file->Value(ParameterId::RX_VITESSE);
        QString speed;
        SpeedFromIndex(index, speed);
        m_modelBefore->SetValue(ParameterId::RX_VITESSE, index);
        m_startSpeedIndex = index;
        m_speedText = FillText(kSpeedChangedText, {speed});
    }
    Restore();
    ReturnToStartSpeed();
    MarkOtherSpeeds();
    // The restored model holds the selected receiver's values from before the batch; a plain
    // Write would undo the clone. One that now listens at another speed cannot answer here.
    const auto selected = std::ranges::find(m_results, m_selectedAddress, &CloneResult::Address);
    const bool reachable = selected != m_results.end() && selected->OtherBaud == 0;
    if (m_wroteSelected && reachable && m_engine.IsPortOpen() && m_engine.State() == ExchangeState::Idle) {
        m_finalRead = true;
        m_engine.ReadParameters();
        return;
    }
    End();
}

// Receivers that acknowledged a speed the line did not keep now listen elsewhere.
void CCloneBatch::MarkOtherSpeeds()
{
    const int lineBaud = m_engine.IsPortOpen() ? m_engine.Port().QueryBaudRate() : 0;
    for (auto &result : m_results) {
        if (result.OtherBaud == lineBaud)
            result.OtherBaud = 0;
    }
}

void CCloneBatch::OnFinalRead()
{
    if (m_finalRead)
        End();
}

void CCloneBatch::End()
{
    m_finalRead = false;
    m_running = false;
    emit Finished();
}

void CCloneBatch::Restore()
{
    m_scanTimer.stop();
    if (m_scanning)
        m_engine.EndMonitoring();
    m_scanning = false;
    m_update.reset();
    m_select(m_selectedAddress);
    m_engine.SetDontShowSpeedWarning(m_dontShowWarningBefore);
    m_engine.RestoreModel(*m_modelBefore, m_firmwareBefore, m_modifiedBefore);
    // Whatever the model holds now, it is not what a read of the selected receiver gave.
    m_engine.ForgetRead();
}

QString CCloneBatch::SummaryText() const
{
    const auto verified = std::ranges::count_if(m_results, &CloneResult::Holds);
    const auto left = std::ranges::count_if(
        m_results, [](const CloneResult &r) { return r.Result == CloneResult::Outcome::DifferencesLeft; });
    QString text = FillText(kSummaryText, {QString::number(m_results.size()), QString::number(verified)});
    if (left > 0)
        text += u' ' + FillText(kDifferencesLeftSummaryText, {QString::number(left)});
    if (!m_speedText.isEmpty())
        text += u' ' + m_speedText;
    QStringList moved;
    for (const auto &result : m_results) {
        if (result.OtherBaud != 0)
            moved << FillText(kOtherSpeedText, {result.AddressText(), result.SpeedText()});
    }
    if (!moved.isEmpty() && m_startSpeedIndex >= 0)
        text += u' ' + FillText(kOtherSpeedsText, {QString::number(SpeedFromIndex(m_startSpeedIndex)),
                                                   moved.join(QStringLiteral(", "))});
    return text;
}

} // namespace zok
