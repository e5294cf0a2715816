#include "CCloneBatch.h"

#include "CZOKExchange.h"
#include "CZOKProperties.h"
#include "ExchangeEvents.h"
#include "FileComparison.h"
#include "LineText.h"
#include "LinkSpeed.h"
#include "ParameterId.h"
#include "ZokText.h"

#include <QTimerEvent>

#include <algorithm>
#include <set>

namespace zok {

namespace {
constexpr int kFailedAtText = 274;
constexpr int kSummaryText = 276;
constexpr int kSpeedChangedText = 277;

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

bool SpeedVerified(const std::vector<CompareRow> &rows)
{
    return std::ranges::any_of(rows, [](const CompareRow &row) {
        return row.Id == ParameterId::RX_VITESSE && row.Ticked && row.Verify == VerifyStatus::Verified;
    });
}

} // namespace

CCloneBatch::CCloneBatch(CZOKExchange &engine, CZOKProperties &model, SelectReceiver selectReceiver,
                         std::uint8_t selectedAddress, QObject *parent)
    : QObject(parent), m_engine(engine), m_model(model), m_select(std::move(selectReceiver)),
      m_selectedAddress(selectedAddress), m_file(std::make_unique<CZOKProperties>()),
      m_modelBefore(std::make_unique<CZOKProperties>())
{
}

CCloneBatch::~CCloneBatch()
{
    if (m_running)
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
    if (!update.Succeeded()) {
        result.Result = CloneResult::Outcome::Failed;
        result.Failure =
            FillText(kFailedAtText, {Text(StepTextId(update.FailedStep())), update.FailureText()});
    } else {
        // Nothing ticked and nothing different: the receiver already held the file.
        const bool differs =
            CountTicked(update.Rows()) > 0 || std::ranges::any_of(update.Rows(), [](const CompareRow &row) {
                return row.Status == CompareStatus::Differs;
            });
        result.Result = differs ? CloneResult::Outcome::Verified : CloneResult::Outcome::Identical;
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
    emit Finished();
}

void CCloneBatch::Restore()
{
    m_running = false;
    m_scanTimer.stop();
    if (m_scanning)
        m_engine.EndMonitoring();
    m_scanning = false;
    m_update.reset();
    m_select(m_selectedAddress);
    m_engine.SetDontShowSpeedWarning(m_dontShowWarningBefore);
    m_engine.RestoreModel(*m_modelBefore, m_firmwareBefore, m_modifiedBefore);
}

QString CCloneBatch::SummaryText() const
{
    const auto verified = std::ranges::count_if(m_results, [](const CloneResult &r) {
        return r.Result == CloneResult::Outcome::Verified || r.Result == CloneResult::Outcome::Identical;
    });
    QString text = FillText(kSummaryText, {QString::number(m_results.size()), QString::number(verified)});
    if (!m_speedText.isEmpty())
        text += u' ' + m_speedText;
    return text;
}

} // namespace zok
