#pragma once

#include "CLevelPlot.h"
#include "CLevelSeries.h"
#include "CLevelStatistics.h"
#include "CZOKRadioLog.h"
#include "CZOKToolDialog.h"

#include <QDateTime>

#include <functional>
#include <memory>

class CToolTimer;
class IToolExchange;
class QLabel;
class QLineEdit;
class QProgressBar;

// Radio Scan: polls the selected receiver for the radio level it hears, at a period the user sets,
// and on demand records every reading in the radio log of the start-up directory.
class CZOKRadioFollowDlg : public CZOKToolDialog
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    CZOKRadioFollowDlg(IToolExchange &exchange, const QString &startupDirectory, QWidget *parent = nullptr);

    // Local time of each log line; tests give a fixed one.
    void setClock(Clock clock);

    void handleFrame(const QString &text);
    void start();
    void stop();
    void clear();

    bool isRecording() const { return m_recording; }
    bool isLogOpen() const { return m_log.isOpen(); }
    bool isLogClearable() const { return m_logClearable; }
    QString logPath() const { return m_log.path(); }
    const CLevelSeries &series() const { return m_series; }
    const CLevelStatistics &statistics() const { return m_statistics; }

    bool event(QEvent *event) override;

protected:
    void onOpening() override;
    void onClosing() override;

private:
    void buildControls();
    QWidget *buildRecordingGroup();
    void periodChanged();
    void setPeriodText(int period);
    void restartPoll(int period);
    void sendPoll();
    void register_();
    void showLevel(int level);
    void plotLevel(int level);
    void showStatistics();
    static int leadingNumber(const QString &text);

    IToolExchange &m_exchange;
    CZOKRadioLog m_log;
    Clock m_clock;
    QLineEdit *m_period = nullptr; // 1021
    QProgressBar *m_bar = nullptr; // 1015
    QLabel *m_level = nullptr;     // 1025
    CToolTimer *m_pollTimer = nullptr;
    CLevelSeries m_series;
    CLevelStatistics m_statistics;
    std::unique_ptr<CLevelPlot::Source> m_plotSource;
    CLevelPlot *m_plot = nullptr;       // 1280
    QLabel *m_statisticsText = nullptr; // 1281
    int m_lastPeriod = 1000;
    bool m_ready = false;
    bool m_logClearable = false;
    bool m_recording = false;
    bool m_settingPeriod = false;
};
