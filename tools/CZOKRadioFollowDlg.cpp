#include "CZOKRadioFollowDlg.h"

#include "CToolTimer.h"
#include "CZOKSettings.h"
#include "ExchangeEvents.h"
#include "IToolExchange.h"
#include "ReadableColor.h"
#include "ToolFrames.h"
#include "ToolText.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <climits>

using zok::tools::Caption;

namespace {
constexpr int kDefaultPeriodMs = 1000;
constexpr int kShortestPeriodMs = 20;
constexpr auto kDefaultCsvFile = "ZOK.csv";

QColor levelColour(int level)
{
    if (level > 180)
        return QColor(17, 213, 46);
    if (level > 150)
        return QColor(255, 206, 0);
    return QColor(203, 86, 40);
}

// The plot reads the series in place; the right edge is the dialog's clock.
class SeriesSource : public CLevelPlot::Source
{
public:
    SeriesSource(const CLevelSeries &series, const CZOKToolDialog::Clock &clock)
        : m_series(series), m_clock(clock)
    {
    }
    int count() const override { return static_cast<int>(m_series.samples().size()); }
    qint64 timeAt(int index) const override { return m_series.samples()[std::size_t(index)].ms; }
    int levelAt(int index) const override { return m_series.samples()[std::size_t(index)].level; }
    qint64 nowMs() const override { return m_clock().toMSecsSinceEpoch(); }

private:
    const CLevelSeries &m_series;
    const CZOKToolDialog::Clock &m_clock;
};

QPushButton *button(const QString &text, const char *id, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(id));
    return b;
}
} // namespace

CZOKRadioFollowDlg::CZOKRadioFollowDlg(IToolExchange &exchange, const QString &startupDirectory,
                                       CZOKSettings *settings, QWidget *parent)
    : CZOKToolDialog(parent, WM_RADIO_FRAME), m_exchange(exchange), m_settings(settings),
      m_directory(startupDirectory), m_log(startupDirectory)
{
    setWindowTitle(Caption("Radio Scan", "Suivi radio"));
    m_pollTimer = new CToolTimer(QStringLiteral("2"), this);
    connect(m_pollTimer, &CToolTimer::tick, this, &CZOKRadioFollowDlg::sendPoll);
    // The time axis moves on between answers too.
    connect(m_pollTimer, &CToolTimer::tick, this, [this] {
        m_series.expire(now().toMSecsSinceEpoch());
        m_plot->refresh();
    });
    buildControls();
    swallowEnter();
}

CZOKRadioFollowDlg::CZOKRadioFollowDlg(IToolExchange &exchange, const QString &startupDirectory,
                                       QWidget *parent)
    : CZOKRadioFollowDlg(exchange, startupDirectory, nullptr, parent)
{
}

void CZOKRadioFollowDlg::buildControls()
{
    m_period = new QLineEdit(QString::number(kDefaultPeriodMs), this);
    m_period->setObjectName(QStringLiteral("1021"));
    m_period->setAlignment(Qt::AlignRight);
    m_period->setFixedWidth(m_period->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    m_period->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_period));
    m_bar = createLevelBar();
    m_level = new QLabel(QStringLiteral("180"), this);
    m_level->setObjectName(QStringLiteral("1025"));
    m_level->setMinimumWidth(m_level->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    m_plotSource = std::make_unique<SeriesSource>(m_series, clock());
    m_plot = new CLevelPlot(this);
    m_plot->setObjectName(QStringLiteral("1280"));
    m_plot->setWindowMs(m_series.windowMs());
    m_plot->setAxisTitle(zok::Text(282));
    m_plot->setSource(m_plotSource.get());
    m_statisticsText = new QLabel(zok::Text(281), this);
    m_statisticsText->setObjectName(QStringLiteral("1281"));

    auto *periodLabel = new QLabel(Caption("Periodicity (ms)", "Périodicité (ms)"), this);
    periodLabel->setBuddy(m_period);
    auto *levelLabel = new QLabel(Caption("Radio Level", "Niveau radio"), this);
    m_bar->setAccessibleName(levelLabel->text());
    m_plot->setAccessibleName(zok::Text(484));

    auto *grid = new QGridLayout(this);
    grid->addWidget(periodLabel, 0, 0);
    grid->addWidget(m_period, 0, 1, Qt::AlignLeft);
    grid->addWidget(levelLabel, 1, 0);
    auto *levelRow = new QHBoxLayout;
    levelRow->addWidget(m_bar, 1);
    levelRow->addWidget(m_level);
    grid->addLayout(levelRow, 1, 1, 1, 2);
    grid->addWidget(m_plot, 2, 0, 1, 3);
    grid->addWidget(m_statisticsText, 3, 0, 1, 3);
    grid->addWidget(buildRecordingGroup(), 4, 0, 1, 3);
    // Made after the recording group above it: Tab follows the order of making.
    auto *exit = button(Caption("Exit", "Fermer"), "1", this);
    grid->addWidget(exit, 5, 2);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(1, 1);

    connect(m_period, &QLineEdit::textChanged, this, &CZOKRadioFollowDlg::periodChanged);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
}

QWidget *CZOKRadioFollowDlg::buildRecordingGroup()
{
    auto *group = new QGroupBox(Caption("Recording", "Enregistrement"), this);
    auto *start = button(Caption("Start", "Activer"), "1022", group);
    auto *stop = button(Caption("Stop", "Arrêter"), "1023", group);
    auto *clear = button(Caption("Clear", "Effacer"), "1024", group);
    const QString csvFile = m_settings && !m_settings->RadioCsvFile().empty()
                                ? QString::fromStdString(m_settings->RadioCsvFile())
                                : QString::fromLatin1(kDefaultCsvFile);
    m_csvOn = new QCheckBox(zok::Text(283), group);
    m_csvOn->setObjectName(QStringLiteral("1282"));
    m_csvOn->setChecked(m_settings && m_settings->RadioCsvEnabled());
    m_csvFile = new QLineEdit(csvFile, group);
    m_csvFile->setObjectName(QStringLiteral("1283"));
    m_csvFile->setAccessibleName(zok::Text(298));
    m_csvFile->setMinimumWidth(m_csvFile->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 28);
    auto *browse = button(zok::Text(284), "1284", group);
    m_csvBrowse = browse;

    auto *rows = new QVBoxLayout(group);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(start);
    buttons->addWidget(stop);
    buttons->addWidget(clear);
    rows->addLayout(buttons);
    auto *csvRow = new QHBoxLayout;
    csvRow->addWidget(m_csvOn);
    csvRow->addWidget(m_csvFile, 1);
    csvRow->addWidget(browse);
    rows->addLayout(csvRow);
    connect(browse, &QPushButton::clicked, this, &CZOKRadioFollowDlg::browseCsvFile);
    connect(start, &QPushButton::clicked, this, &CZOKRadioFollowDlg::start);
    connect(stop, &QPushButton::clicked, this, &CZOKRadioFollowDlg::stop);
    connect(clear, &QPushButton::clicked, this, &CZOKRadioFollowDlg::clear);
    return group;
}

void CZOKRadioFollowDlg::onOpening()
{
    m_level->clear();
    m_bar->setRange(0, 255);
    m_bar->setValue(0);
    setPeriodText(kDefaultPeriodMs);
    m_log.close();
    m_csv.close();
    m_logClearable = false;
    m_recording = false;
    m_lastPeriod = kDefaultPeriodMs;
    restartPoll(m_lastPeriod);
    register_();
    sendPoll();
    m_ready = true;
}

void CZOKRadioFollowDlg::onClosing()
{
    m_pollTimer->stop();
    m_log.close();
    m_csv.close();
    rememberCsvChoice();
}

void CZOKRadioFollowDlg::register_()
{
    m_exchange.RegisterMonitor(MonitorKind::RadioScan, this);
    m_exchange.EnterRadioScan();
}

void CZOKRadioFollowDlg::sendPoll()
{
    m_exchange.SendCommand(zok::tools::RadioPollCommand(m_exchange.ReceiverAddress()));
}

void CZOKRadioFollowDlg::restartPoll(int period)
{
    m_pollTimer->stop();
    m_pollTimer->start(period);
}

int CZOKRadioFollowDlg::leadingNumber(const QString &text)
{
    long long value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            break;
        value = std::min<long long>(value * 10 + (c.unicode() - u'0'), INT_MAX);
    }
    return static_cast<int>(value);
}

void CZOKRadioFollowDlg::setPeriodText(int period)
{
    m_settingPeriod = true;
    m_period->setText(QString::number(period));
    m_settingPeriod = false;
}

void CZOKRadioFollowDlg::periodChanged()
{
    // Our own writes of the field restore a period that was already accepted.
    if (m_settingPeriod)
        return;
    const int period = leadingNumber(m_period->text());
    if (period >= kShortestPeriodMs) {
        restartPoll(period);
        m_lastPeriod = period;
        return;
    }
    showMessage(zok::Text(166), QMessageBox::Critical);
    setPeriodText(m_lastPeriod);
}

void CZOKRadioFollowDlg::handleFrame(const QString &text)
{
    if (!m_ready)
        return;
    const auto level = zok::tools::ParseRadioFrame(text, m_exchange.ReceiverAddress());
    if (!level)
        return;
    // The records and the series take every level at once; the controls only the last one, at
    // the next refresh, so that frames as fast as the line brings them cost no repaint each.
    const QDateTime when = now();
    m_shownLevel = *level;
    m_series.add(when.toMSecsSinceEpoch(), *level);
    if (m_recording) {
        m_statistics.add(*level);
        if (m_log.isOpen())
            m_log.write(when, *level);
        if (m_csv.isOpen())
            writeCsv(when, text, *level);
    }
    scheduleRefresh();
}

void CZOKRadioFollowDlg::writeCsv(const QDateTime &when, const QString &text, int level)
{
    if (m_csv.write(when, QStringView(text).right(2), level))
        return;
    // A record that silently stops growing would pass for a complete one: close it and say so.
    const QString path = m_csv.path();
    const QString reason = m_csv.errorString();
    m_csv.close();
    showMessage(zok::Text(287).arg(QDir::toNativeSeparators(path), reason), QMessageBox::Critical);
}

void CZOKRadioFollowDlg::refreshView()
{
    ++m_refreshCount;
    if (m_shownLevel) {
        showLevel(*m_shownLevel);
        m_shownLevel.reset();
    }
    m_plot->refresh();
    showStatistics();
}

void CZOKRadioFollowDlg::showLevel(int level)
{
    QPalette palette = m_bar->palette();
    // The level's colour, shaded where the bar's background needs it to stand out.
    palette.setColor(QPalette::Highlight, zok::ReadableOn(levelColour(level), palette.color(QPalette::Base),
                                                          zok::kGraphicContrast));
    m_bar->setPalette(palette);
    m_bar->setValue(level);
    m_level->setText(QString::number(level));
}

void CZOKRadioFollowDlg::showStatistics()
{
    const QString text = m_statistics.empty()
                             ? zok::Text(281)
                             : QString::asprintf(zok::Text(280).toUtf8().constData(), m_statistics.minimum(),
                                                 m_statistics.mean(), m_statistics.maximum());
    if (m_statisticsText->text() != text)
        m_statisticsText->setText(text);
}

QString CZOKRadioFollowDlg::csvPath() const
{
    QString name = m_csvFile->text().trimmed();
    if (name.isEmpty())
        name = QString::fromLatin1(kDefaultCsvFile);
    return QDir::cleanPath(QDir(m_directory).absoluteFilePath(name));
}

void CZOKRadioFollowDlg::openCsv()
{
    if (m_csvFile->text().trimmed().isEmpty())
        m_csvFile->setText(QString::fromLatin1(kDefaultCsvFile));
    const QString path = csvPath();
    if (m_csv.open(path))
        return;
    // The same rule as the radio log: refused, not shared, when another recorder holds it.
    QString text = zok::Text(285).arg(QDir::toNativeSeparators(path));
    if (!m_csv.errorString().isEmpty())
        text += QStringLiteral("\n") + m_csv.errorString();
    showMessage(text, QMessageBox::Warning);
}

void CZOKRadioFollowDlg::browseCsvFile()
{
    const auto chosen = chooseFile(ToolFileRequest{zok::Text(298), zok::Text(286), csvPath(), true});
    if (chosen)
        m_csvFile->setText(QDir::toNativeSeparators(*chosen));
}

void CZOKRadioFollowDlg::rememberCsvChoice()
{
    if (!m_settings)
        return;
    const bool on = m_csvOn->isChecked();
    const QString file = m_csvFile->text().trimmed();
    const QString stored = QString::fromStdString(m_settings->RadioCsvFile());
    const QString shown = stored.isEmpty() ? QString::fromLatin1(kDefaultCsvFile) : stored;
    // Untouched, the settings file keeps exactly the keys it had.
    if (on == m_settings->RadioCsvEnabled() && file == shown)
        return;
    m_settings->SetRadioCsvEnabled(on);
    m_settings->SetRadioCsvFile(file.toStdString());
    m_settings->Save();
}

void CZOKRadioFollowDlg::start()
{
    if (m_recording)
        return;
    if (!m_log.isOpen()) {
        m_logClearable = m_log.open();
        if (!m_logClearable)
            showMessage(zok::Text(167), QMessageBox::Warning);
    }
    if (m_csvOn->isChecked() && !m_csv.isOpen())
        openCsv();
    const int period = leadingNumber(m_period->text());
    restartPoll(period >= kShortestPeriodMs ? period : m_lastPeriod);
    sendPoll();
    m_statistics.reset();
    showStatistics();
    m_recording = true;
    // The record's file stays as it is while it is being written.
    for (QWidget *w : {static_cast<QWidget *>(m_csvOn), static_cast<QWidget *>(m_csvFile), m_csvBrowse})
        w->setEnabled(false);
    rememberCsvChoice();
    register_();
}

void CZOKRadioFollowDlg::stop()
{
    if (!m_recording)
        return;
    m_log.close();
    m_csv.close();
    m_recording = false;
    for (QWidget *w : {static_cast<QWidget *>(m_csvOn), static_cast<QWidget *>(m_csvFile), m_csvBrowse})
        w->setEnabled(true);
}

void CZOKRadioFollowDlg::clear()
{
    m_series.clear();
    m_plot->update();
    if (m_recording || !m_logClearable)
        return;
    QString error;
    if (!m_log.remove(error)) {
        showMessage(error, QMessageBox::Critical);
        return;
    }
    m_logClearable = false;
}
