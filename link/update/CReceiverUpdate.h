#pragma once

#include "CompareRow.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class CZOKExchange;
class CZOKProperties;

namespace zok {

// Where an update of one receiver stands; a failure keeps the step it happened at.
enum class UpdateStep { NotStarted, Reading, Compared, Writing, ReadingBack, Verifying, Done };

// Brings the selected receiver to a parameter file through the exchange engine: an optional read,
// the comparison, then (on WriteTicked) the write sequence restricted to the ticked rows, a full
// read and the verification by wire bytes. Each step starts when the engine reports the previous
// one finished; nothing polls. The engine's model is the receiver's side: it holds the values
// read, and after a read-back that failed, the values of the last good read again.
class CReceiverUpdate : public QObject
{
    Q_OBJECT

public:
    // `file` holds the file's values, of which `fileKeys` (mask bits) came from the file.
    CReceiverUpdate(CZOKExchange &engine, CZOKProperties &model, const CZOKProperties &file,
                    std::uint32_t fileKeys, QObject *parent = nullptr);
    ~CReceiverUpdate() override;

    // Reads the receiver first when `readFirst`, then compares: Compared(), or Finished() with
    // the read as failed step.
    void Start(bool readFirst);
    // Writes the ticked rows, reads back and verifies; Finished() follows (at once when nothing is
    // ticked). Abandoned at the speed warning: back to Compared, nothing sent, Compared() again.
    void WriteTicked();

    std::vector<CompareRow> &Rows() { return m_rows; }
    const std::vector<CompareRow> &Rows() const { return m_rows; }
    UpdateStep Step() const { return m_step; }
    // The step of the first failure and the engine's error text for it; NotStarted when none.
    UpdateStep FailedStep() const { return m_failedStep; }
    const QString &FailureText() const { return m_failureText; }
    // Ticked rows whose write was acknowledged.
    int WrittenCount() const;
    // True when the update finished without failure and every ticked row verified.
    bool Succeeded() const;
    // The firmware text of the receiver as last read.
    const QString &Firmware() const { return m_firmware; }

signals:
    void Compared();
    void Finished();

private:
    void OnReadFinished(bool complete);
    void OnWriteFinished(bool complete);
    void OnWriteAbandoned();
    void Compare();
    void Verify(bool readComplete);
    void KeepAcknowledgedValues();
    void Fail(UpdateStep step, const QString &text);
    void Finish();

    CZOKExchange &m_engine;
    CZOKProperties &m_model;
    std::unique_ptr<CZOKProperties> m_file;
    std::uint32_t m_fileKeys;
    std::vector<CompareRow> m_rows;
    UpdateStep m_step = UpdateStep::NotStarted;
    UpdateStep m_failedStep = UpdateStep::NotStarted;
    QString m_failureText;
    QString m_firmware;
    // The model as the last good read left it, put back when the read-back fails.
    std::unique_ptr<CZOKProperties> m_beforeWrite;
    std::uint32_t m_acknowledged = 0;
};

} // namespace zok
