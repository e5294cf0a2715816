#include "CReceiverUpdate.h"

#include "CZOKExchange.h"
#include "CZOKProperties.h"
#include "CompareTexts.h"
#include "FileComparison.h"
#include "LineText.h"
#include "ParameterTable.h"
#include "ParameterWire.h"
#include "SelectedWrites.h"
#include "ZokText.h"

#include <algorithm>

namespace zok {

namespace {
constexpr int kReadErrorText = 141;
constexpr int kWriteErrorText = 142;
constexpr int kNameAndReasonText = 357;
} // namespace

CReceiverUpdate::CReceiverUpdate(CZOKExchange &engine, CZOKProperties &model, const CZOKProperties &file,
                                 std::uint32_t fileKeys, QObject *parent)
    : QObject(parent), m_engine(engine), m_model(model), m_file(std::make_unique<CZOKProperties>(file)),
      m_fileKeys(fileKeys), m_beforeWrite(std::make_unique<CZOKProperties>(model))
{
    // Queued: the engine finishes its own step (state, timer, grid) before the next one starts.
    connect(&engine, &CZOKExchange::ReadFinished, this, &CReceiverUpdate::OnReadFinished,
            Qt::QueuedConnection);
    connect(&engine, &CZOKExchange::WriteFinished, this, &CReceiverUpdate::OnWriteFinished,
            Qt::QueuedConnection);
    connect(&engine, &CZOKExchange::WriteAbandoned, this, &CReceiverUpdate::OnWriteAbandoned,
            Qt::QueuedConnection);
}

CReceiverUpdate::~CReceiverUpdate() = default;

void CReceiverUpdate::Start(bool readFirst)
{
    if (!readFirst) {
        m_firmware = m_engine.FirmwareText();
        Compare();
        return;
    }
    m_step = UpdateStep::Reading;
    if (m_engine.State() != ExchangeState::Idle) {
        Fail(UpdateStep::Reading, Text(kReadErrorText));
        Finish();
        return;
    }
    m_engine.ReadParameters();
}

void CReceiverUpdate::WriteTicked()
{
    if (m_step != UpdateStep::Compared)
        return;
    const std::uint32_t ticked = TickedParameters(m_rows);
    if (ticked == 0) {
        Finish();
        return;
    }
    m_step = UpdateStep::Writing;
    if (m_engine.State() != ExchangeState::Idle) {
        Fail(UpdateStep::Writing, Text(kWriteErrorText));
        Finish();
        return;
    }
    *m_beforeWrite = m_model;
    m_acknowledged = 0;
    // The write sequence sends the model's values: the file's for the ticked rows, the receiver's
    // own for the other switches sharing register 22.
    ApplyTickedValues(m_model, m_rows);
    m_engine.WriteSelectedParameters(ticked);
}

void CReceiverUpdate::OnReadFinished(bool complete)
{
    if (m_step == UpdateStep::Reading) {
        if (!complete) {
            Fail(UpdateStep::Reading, Text(kReadErrorText));
            Finish();
            return;
        }
        m_firmware = m_engine.FirmwareText();
        Compare();
    } else if (m_step == UpdateStep::ReadingBack) {
        Verify(complete);
    }
}

void CReceiverUpdate::OnWriteFinished(bool complete)
{
    if (m_step != UpdateStep::Writing)
        return;
    m_acknowledged = AcknowledgedParameters(m_engine.Session());
    if (!complete)
        Fail(UpdateStep::Writing, Text(kWriteErrorText));
    // Read back whatever the write reached, so that every row says what took.
    m_step = UpdateStep::ReadingBack;
    m_engine.ReadParameters();
}

void CReceiverUpdate::OnWriteAbandoned()
{
    if (m_step != UpdateStep::Writing)
        return;
    m_engine.RestoreModel(*m_beforeWrite, m_engine.FirmwareText(), m_engine.PropertiesModified());
    m_step = UpdateStep::Compared;
    emit Compared();
}

void CReceiverUpdate::Compare()
{
    m_rows = CompareParameters(*m_file, m_fileKeys, m_model, m_engine.SpeedConfigurationEnabled());
    m_step = UpdateStep::Compared;
    emit Compared();
}

void CReceiverUpdate::Verify(bool readComplete)
{
    m_step = UpdateStep::Verifying;
    if (readComplete) {
        m_firmware = m_engine.FirmwareText();
        VerifyRows(m_rows, m_acknowledged, m_model);
    } else {
        Fail(UpdateStep::ReadingBack, Text(kReadErrorText));
        KeepAcknowledgedValues();
        for (auto &row : m_rows) {
            if (row.Ticked)
                row.Verify = (m_acknowledged & Parameter(row.Id).MaskBit) != 0
                                 ? VerifyStatus::NotReadBack
                                 : VerifyStatus::NotAcknowledged;
        }
    }
    const auto unverified = std::ranges::find_if(
        m_rows, [](const CompareRow &row) { return row.Ticked && row.Verify != VerifyStatus::Verified; });
    if (unverified != m_rows.end())
        Fail(UpdateStep::Verifying,
             FillText(kNameAndReasonText, {unverified->Name, VerifyStatusText(unverified->Verify)}));
    Finish();
}

// The model goes back to the last good read, plus what the receiver acknowledged since: the
// speed above all, which the port now follows.
void CReceiverUpdate::KeepAcknowledgedValues()
{
    CZOKProperties model = *m_beforeWrite;
    for (const auto &row : m_rows) {
        if (row.Ticked && row.FileValue && (m_acknowledged & Parameter(row.Id).MaskBit) != 0)
            model.SetValue(row.Id, ModelValueOf(row.Id, *row.FileValue));
    }
    m_engine.RestoreModel(model, m_firmware, false);
}

void CReceiverUpdate::Fail(UpdateStep step, const QString &text)
{
    if (m_failedStep != UpdateStep::NotStarted)
        return;
    m_failedStep = step;
    m_failureText = text;
}

void CReceiverUpdate::Finish()
{
    m_step = UpdateStep::Done;
    emit Finished();
}

int CReceiverUpdate::WrittenCount() const
{
    return static_cast<int>(std::ranges::count_if(m_rows, [this](const CompareRow &row) {
        return row.Ticked && (m_acknowledged & Parameter(row.Id).MaskBit) != 0;
    }));
}

bool CReceiverUpdate::Succeeded() const
{
    return m_step == UpdateStep::Done && m_failedStep == UpdateStep::NotStarted;
}

} // namespace zok
