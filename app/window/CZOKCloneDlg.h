#pragma once

#include "CCloneBatch.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

// Clone to All Receivers: shows a CCloneBatch as it scans the line and brings each receiver to the
// file, with a progress bar, Cancel (stops after the receiver in progress), the result table and
// Save as CSV. The batch starts with the dialog.
class CZOKCloneDlg : public QDialog
{
    Q_OBJECT

public:
    // Asks for the CSV file to write; nullopt when cancelled. Tests answer without a dialog.
    using CsvChooser = std::function<std::optional<QString>(QWidget *parent)>;

    CZOKCloneDlg(CZOKExchange &engine, CZOKProperties &model, zok::CCloneBatch::SelectReceiver select,
                 std::uint8_t selectedAddress, const CZOKProperties &file, std::uint32_t fileKeys,
                 const QString &fileName, QWidget *parent = nullptr);

    zok::CCloneBatch &Batch() { return m_batch; }
    QTableWidget *Table() const { return m_table; }
    QProgressBar *Progress() const { return m_progress; }
    QLabel *StatusLabel() const { return m_status; }
    void SetCsvChooser(CsvChooser chooser) { m_chooseCsv = std::move(chooser); }

    void Cancel();
    void SaveCsv();

public slots:
    void reject() override;

private:
    void OnScanFinished();
    void OnReceiverStarted(int index);
    void OnReceiverFinished(int index);
    void OnFinished();
    void ShowResult(int index, bool done);
    void FitColumns();
    void UpdateButtons();

    zok::CCloneBatch m_batch;
    CsvChooser m_chooseCsv;
    QLabel *m_status = nullptr;
    QProgressBar *m_progress = nullptr;
    QTableWidget *m_table = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_close = nullptr;
};
