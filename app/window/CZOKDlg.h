#pragma once

#include "CDialogEx.h"
#include "CSerialMFC.h"
#include "CZOKProperties.h"
#include "CZOKPropertySheet.h"
#include "ExchangeState.h"
#include "IPropertyChangeListener.h"
#include "ParameterFileDialogs.h"

#include <QColor>
#include <QString>
#include <QUrl>

#include <functional>
#include <map>

class CColorListBox;
class CProgressBar;
class CZOKSettings;
class EPropCtrl;
class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace zok {
struct OutcomeMessage;
struct ReceivedFrame;
}

// The program's main window: menus, the parameter area, Read and Write, the firmware version,
// the message and traffic lists, the "Open Serial Port" check box, Help, and the status bar with
// its progress bar. It owns the serial port and opens it at start-up when the settings loaded.
class CZOKDlg : public CDialogEx, public IPropertyChangeListener
{
    Q_OBJECT

public:
    // Command ids of the menu.
    enum Command {
        ID_LOAD_PARAMETERS = 32771,
        ID_SAVE_PARAMETERS = 32772,
        ID_EXIT = 32773,
        ID_SERIAL_PORT = 32774,
        ID_SELECT_RECEIVER = 32775,
        ID_TAG_TRACKING = 32776,
        ID_HELP = 32777,
        ID_ABOUT = 32778,
        ID_RADIO_SCAN = 32779,
        ID_ID_FILTER = 32785,
        ID_ENABLE_SPEED_CONFIGURATION = 32788,
        ID_SPEED_DETECTION = 32791,
    };

    explicit CZOKDlg(CZOKSettings &settings, QWidget *parent = nullptr);
    ~CZOKDlg() override;

    // (Re)opens the port named by the settings at the current link speed; with messages, reports
    // the closing and the result in the message list. Read, Write and the check box follow.
    bool OpenSerialPort(bool withMessages);
    // Append one finished line (never used as a format) to the message or the traffic list.
    void AddMessage(const QColor &color, const QString &line);
    void AddTraffic(const QColor &color, const QString &line);

    ExchangeState State() const { return m_state; }
    void SetState(ExchangeState state) { m_state = state; }
    bool PropertiesModified() const { return m_propertiesModified; }
    void SetPropertiesModified(bool modified) { m_propertiesModified = modified; }
    bool SpeedConfigurationEnabled() const { return m_speedConfigurationEnabled; }
    bool DontShowSpeedWarning() const { return m_dontShowSpeedWarning; }
    void SetDontShowSpeedWarning(bool dontShow) { m_dontShowSpeedWarning = dontShow; }
    int SpeedAttemptIndex() const { return m_speedAttemptIndex; }
    void SetSpeedAttemptIndex(int index) { m_speedAttemptIndex = index; }
    QString FirmwareVersion() const { return m_firmwareVersion; }
    void SetFirmwareVersion(const QString &version);
    // Speed the port is configured with when it opens.
    int LinkBaudRate() const { return m_linkBaudRate; }
    void SetLinkBaudRate(int baud) { m_linkBaudRate = baud; }

    zok::CSerialMFC &SerialPort() { return m_serial; }
    CZOKSettings &Settings() { return m_settings; }
    CProgressBar *ProgressBar() const { return m_progress; }
    QPushButton *ReadButton() const { return m_read; }
    QPushButton *WriteButton() const { return m_write; }
    QAction *CommandAction(int id) const;

    // The reader parameters of the selected receiver, shown and edited in the grid.
    CZOKProperties &Model() { return m_model; }
    // Rebuilds the parameter area from the parameter model: a new grid over the model's sheet.
    void BuildPropertyGrid();
    // Asks the sheet for its rows again (after a parameter file load).
    void RefreshPropertyGrid();
    EPropCtrl *PropertyGrid() const { return m_propertyGrid; }
    // A value was changed in the grid.
    void PropertyChanged() override;
    // The File menu's parameter-file commands; outcomes are reported by message box.
    void SaveParameters();
    void LoadParameters();
    // Tests answer the file dialogs through these.
    void SetFileDialogs(ParameterFileDialogs dialogs) { m_fileDialogs = std::move(dialogs); }
    // Puts `control` where the parameter area is, under the same id; the window owns it.
    void SetPropertyControl(QWidget *control);
    QWidget *PropertyControl() const { return m_propertyArea; }

    // "Oxa Reader Manager v<version>", shared with the About box.
    static QString TitleText();
    // Texts of the status panes for the current state.
    QString StateText() const;
    QString SyncText() const;
    QString PortText() const;
    QString ReceiverText() const;

    // How Help opens its document; tests replace it so nothing is launched.
    using UrlOpener = std::function<bool(const QUrl &)>;
    void SetUrlOpener(UrlOpener opener) { m_urlOpener = std::move(opener); }

public slots:
    void ReadParameters();
    void WriteParameters();

protected:
    bool event(QEvent *event) override;
    void done(int result) override;

private:
    void InitDialog();
    void BuildMenu();
    void AddCommand(QMenu *menu, int id, const QString &caption, Handler handler, Update update);
    Update IdleOnly();
    static Update Always();
    void BuildControls();
    void BuildStatusBar();
    void UpdateReadWrite();
    void AppendLine(CColorListBox &list, const QColor &color, const QString &line);

    void OnOpenSerialPortClicked();
    void OnFrameReceived(const zok::ReceivedFrame &frame);
    void OnPortLost();
    void ReopenPortAtModelSpeed();
    void ShowFileOutcome(const zok::OutcomeMessage &message);
    void DispatchFrame(const QString &text);

    // Menu commands.
    void OnLoadParameters();
    void OnSaveParameters();
    void OnSerialPort();
    void OnSelectReceiver();
    void OnIdFilter();
    void OnToggleSpeedConfiguration();
    void OnSpeedDetection();
    void OnTagTracking();
    void OnRadioScan();
    void OnHelp();
    void OnAbout();

    // Settings as the window shows and uses them.
    QString PortName() const;
    unsigned ReceiverAddress() const;
    bool SettingsLoaded() const;

    CZOKSettings &m_settings;
    zok::CSerialMFC m_serial;
    ExchangeState m_state = ExchangeState::Idle;
    QString m_firmwareVersion;
    bool m_speedConfigurationEnabled = false;
    bool m_dontShowSpeedWarning = false;
    bool m_propertiesModified = false;
    int m_speedAttemptIndex = 0;
    int m_linkBaudRate = 9600;
    UrlOpener m_urlOpener;
    std::map<int, QAction *> m_actions;
    CZOKProperties m_model;
    CZOKPropertySheet m_sheet{m_model};
    ParameterFileDialogs m_fileDialogs = ParameterFileDialogs::Standard();
    EPropCtrl *m_propertyGrid = nullptr;

    QGridLayout *m_grid = nullptr;
    QWidget *m_propertyArea = nullptr;
    QLineEdit *m_firmware = nullptr;
    QPushButton *m_read = nullptr;
    QPushButton *m_write = nullptr;
    CColorListBox *m_messages = nullptr;
    CColorListBox *m_traffic = nullptr;
    QCheckBox *m_openPort = nullptr;
    QPushButton *m_help = nullptr;
    CProgressBar *m_progress = nullptr;
};
