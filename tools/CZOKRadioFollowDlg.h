#pragma once

#include "CLevelCsvRecord.h"
#include "CLevelPlot.h"
#include "CLevelSeries.h"
#include "CLevelStatistics.h"
#include "CZOKRadioLog.h"
#include "CZOKToolDialog.h"

#include <memory>
#include <optional>

class CToolTimer;
class CZOKSettings;
class IToolExchange;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;

// Radio Scan: polls the selected receiver for the radio level it hears, at a period the user sets,
// and on demand records every reading in the radio log of the start-up directory, and optionally
// in a CSV record as well.
class CZOKRadioFollowDlg : public CZOKToolDialog
{
    Q_OBJECT

public:
    // `settings`, when given, remembers the CSV record choice between openings.
    CZOKRadioFollowDlg(IToolExchange &exchange, const QString &startupDirectory, CZOKSettings *settings,
                       QWidget *parent = nullptr);
    CZOKRadioFollowDlg(IToolExchange &exchange, const QString &startupDirectory, QWidget *parent = nullptr);

    void handleFrame(const QString &text) override;
    void start();
    void stop();
    void clear();
    void browseCsvFile();

    bool isRecording() const { return m_recording; }
    bool isLogOpen() const { return m_log.isOpen(); }
    bool isLogClearable() const { return m_logClearable; }
    QString logPath() const { return m_log.path(); }
    bool isCsvOpen() const { return m_csv.isOpen(); }
    // The CSV record's file as chosen now: relative names are taken in the start-up directory.
    QString csvPath() const;
    const CLevelSeries &series() const { return m_series; }
    const CLevelStatistics &statistics() const { return m_statistics; }
    // Refreshes of the controls so far: one per event-loop turn that brought levels.
    int refreshCount() const { return m_refreshCount; }

protected:
    void onOpening() override;
    void onClosing() override;
    void refreshView() override;

private:
    void buildControls();
    QWidget *buildRecordingGroup();
    void periodChanged();
    void setPeriodText(int period);
    void restartPoll(int period);
    void sendPoll();
    void register_();
    void showLevel(int level);
    void showStatistics();
    void openCsv();
    void writeCsv(const QDateTime &when, const QString &text, int level);
    void rememberCsvChoice();
    static int leadingNumber(const QString &text);

    IToolExchange &m_exchange;
    CZOKSettings *m_settings;
    QString m_directory;
    CZOKRadioLog m_log;
    CLevelCsvRecord m_csv;
    QLineEdit *m_period = nullptr; // 1021
    QProgressBar *m_bar = nullptr; // 1015
    QLabel *m_level = nullptr;     // 1025
    CToolTimer *m_pollTimer = nullptr;
    CLevelSeries m_series;
    CLevelStatistics m_statistics;
    std::unique_ptr<CLevelPlot::Source> m_plotSource;
    CLevelPlot *m_plot = nullptr;       // 1280
    QLabel *m_statisticsText = nullptr; // 1281
    QCheckBox *m_csvOn = nullptr;       // 1282
    QLineEdit *m_csvFile = nullptr;     // 1283
    QWidget *m_csvBrowse = nullptr;     // 1284
    std::optional<int> m_shownLevel;    // the last level received, shown at the next refresh
    int m_refreshCount = 0;
    int m_lastPeriod = 1000;
    bool m_ready = false;
    bool m_logClearable = false;
    bool m_recording = false;
    bool m_settingPeriod = false;
};
