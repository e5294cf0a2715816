#pragma once

#include "CReceiverUpdate.h"
#include "CloneResult.h"

#include <QBasicTimer>
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CZOKExchange;
class CZOKProperties;

namespace zok {

// A parameter file applied to every receiver of the line: the receiver scan's broadcast at the
// current speed, then for each receiver found, in ascending address order: select it, read,
// compare, write what differs, read back, verify (CReceiverUpdate). A receiver that fails is
// reported with its step and the batch goes on. Cancel stops after the receiver in progress.
// Afterwards the selected receiver, the speed warning choice and the port's speed are as before;
// only when every receiver found verified a new speed does the port stay at it (SpeedChangedText
// says so), and a receiver left at another speed than the line's says which. The model with its
// firmware text and modified flag is put back too, unless the batch wrote to the selected
// receiver: that one is read again at the end, so that the model holds what it now holds. Either
// way the model no longer counts as a read of the receiver (a compare reads first).
class CCloneBatch : public QObject
{
    Q_OBJECT

public:
    // `selectReceiver` makes an address the one the engine's commands go to.
    using SelectReceiver = std::function<void(std::uint8_t)>;

    CCloneBatch(CZOKExchange &engine, CZOKProperties &model, SelectReceiver selectReceiver,
                std::uint8_t selectedAddress, QObject *parent = nullptr);
    ~CCloneBatch() override;

    // How long the scan waits after the broadcast, and after each answer, for another one.
    void SetScanQuietTime(int ms) { m_scanQuietMs = ms; }
    // `file` holds the file's values, of which `fileKeys` came from the file.
    void Start(const CZOKProperties &file, std::uint32_t fileKeys);
    void Cancel();

    bool Running() const { return m_running; }
    bool Scanning() const { return m_scanning; }
    bool CancelRequested() const { return m_cancel; }
    const std::vector<CloneResult> &Results() const { return m_results; }
    // The index in Results() of the receiver in progress; -1 while none.
    int Current() const { return m_current; }
    // "N receiver(s) found, M verified.", then those with differences left, the speed line when
    // the port stayed at a new speed, and the receivers left at another speed than the line's.
    QString SummaryText() const;
    const QString &SpeedChangedText() const { return m_speedText; }

signals:
    void ScanFinished();
    void ReceiverStarted(int index);
    void ReceiverFinished(int index);
    void Finished();

protected:
    bool event(QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    void EndScan();
    void StartNext();
    void OnReceiverFinished();
    void ReturnToStartSpeed();
    void Finish();
    void MarkOtherSpeeds();
    void OnFinalRead();
    void End();
    void Restore();

    CZOKExchange &m_engine;
    CZOKProperties &m_model;
    SelectReceiver m_select;
    std::uint8_t m_selectedAddress;
    int m_scanQuietMs = 500;

    std::unique_ptr<CZOKProperties> m_file;
    std::uint32_t m_fileKeys = 0;
    std::unique_ptr<CZOKProperties> m_modelBefore;
    QString m_firmwareBefore;
    bool m_modifiedBefore = false;
    bool m_dontShowWarningBefore = false;
    int m_startSpeedIndex = -1;

    bool m_running = false;
    bool m_scanning = false;
    bool m_cancel = false;
    bool m_wroteSelected = false; // something was sent to write the selected receiver
    bool m_finalRead = false;     // the selected receiver is read again, the rest is restored
    QBasicTimer m_scanTimer;
    std::vector<CloneResult> m_results;
    int m_current = -1;
    std::unique_ptr<CReceiverUpdate> m_update;
    QString m_speedText;
};

} // namespace zok
