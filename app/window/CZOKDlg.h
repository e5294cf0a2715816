#pragma once

#include "CDialogEx.h"
#include "CZOKExchange.h"
#include "CZOKExchangeSettings.h"
#include "CZOKProperties.h"
#include "CZOKPropertySheet.h"
#include "EPropCtrl.h"
#include "IExchangeView.h"
#include "IPropertyChangeListener.h"
#include "ParameterFileDialogs.h"

#include <QColor>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>
#include <map>
#include <memory>

class CColorListBox;
class CProgressBar;
class CZOKSettings;
class QCheckBox;
class QGridLayout;
class QLayout;
class QLineEdit;
class QPushButton;

namespace zok {
struct OutcomeMessage;
}

// The program's main window: menus, the parameter area, Read and Write, the firmware version,
// the message and traffic lists, the "Open Serial Port" check box, Help, and the status bar with
// its progress bar. It owns the parameter model and the exchange engine (which owns the serial
// port), opens the port at start-up when the settings loaded, and shows what the engine reports.
class CZOKDlg : public CDialogEx, private IExchangeView, public IPropertyChangeListener
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
        ID_COMPARE_WITH_FILE = 32792,
        ID_CLONE_TO_ALL_RECEIVERS = 32793,
        ID_SAVE_TRAFFIC = 32794,
        ID_COPY_TRAFFIC = 32795,
    };

    explicit CZOKDlg(CZOKSettings &settings, QWidget *parent = nullptr);
    ~CZOKDlg() override;

    // (Re)opens the port named by the settings at the current link speed; with messages, reports
    // the closing and the result in the message list. Read, Write and the check box follow.
    bool OpenSerialPort(bool withMessages);
    // Append one finished line (never used as a format) to the message or the traffic list.
    void AddMessage(const QColor &color, const QString &line);
    void AddTraffic(const QColor &color, const QString &line);

    ExchangeState State() const { return m_exchange->State(); }
    void SetState(ExchangeState state) { m_exchange->SetState(state); }
    bool PropertiesModified() const { return m_exchange->PropertiesModified(); }
    void SetPropertiesModified(bool modified) { m_exchange->SetPropertiesModified(modified); }
    bool SpeedConfigurationEnabled() const { return m_exchange->SpeedConfigurationEnabled(); }
    bool DontShowSpeedWarning() const { return m_exchange->DontShowSpeedWarning(); }
    void SetDontShowSpeedWarning(bool dontShow) { m_exchange->SetDontShowSpeedWarning(dontShow); }
    QString FirmwareVersion() const { return m_firmwareVersion; }
    void SetFirmwareVersion(const QString &version);

    // The engine also serves the tool dialogs (IToolExchange).
    CZOKExchange &Exchange() { return *m_exchange; }
    CZOKProperties &Properties() { return m_properties; }
    zok::CSerialMFC &SerialPort() { return m_exchange->Port(); }
    CZOKSettings &Settings() { return m_settings; }
    CProgressBar *ProgressBar() const { return m_progress; }
    QPushButton *ReadButton() const { return m_read; }
    QPushButton *WriteButton() const { return m_write; }
    QAction *CommandAction(int id) const;

    // Rebuilds the parameter area from the parameter model.
    void BuildPropertyGrid() override;
    EPropCtrl *PropertyGrid() const { return m_propertyGrid; }
    // A value was changed in the grid.
    void PropertyChanged() override;
    // The File menu's parameter-file commands; outcomes are reported by message box.
    void SaveParameters();
    void LoadParameters();
    // The File menu's commands that bring receivers to a parameter file; refused unless Idle
    // with the port open. The file is only read.
    void CompareWithFile();
    void CloneToAllReceivers();
    // The File menu's traffic commands: the engine's capture saved to a file (reported in the
    // message list, or by message box when it fails), the traffic list's selected lines copied.
    void SaveTraffic();
    void CopyTraffic();
    // Tests answer the file dialogs through these.
    void SetFileDialogs(ParameterFileDialogs dialogs) { m_fileDialogs = std::move(dialogs); }
    void SetTrafficFileChooser(ParameterFileDialogs::Chooser chooser)
    {
        m_chooseTrafficFile = std::move(chooser);
    }
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

    // Where the serial port dialog gets its list; tests give their own, empty means the system's.
    using PortListSource = std::function<QStringList()>;
    void SetPortListSource(PortListSource source) { m_portList = std::move(source); }

public slots:
    void ReadParameters();
    void WriteParameters();

protected:
    void done(int result) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void InitDialog();
    void BuildMenu();
    void BuildConfigurationMenu();
    void AddCommand(QMenu *menu, int id, const QString &caption, Handler handler, Update update);
    Update IdleOnly();
    Update IdleWithPort();
    static Update Always();
    void BuildControls();
    QLayout *BuildSideColumn();
    void BuildStatusBar();
    void UpdateTabOrder();
    void UpdateReadWrite();
    void AppendLine(CColorListBox &list, const QColor &color, const QString &line);

    void OnOpenSerialPortClicked();

    // IExchangeView: what the engine shows.
    void AddMessage(LineColour colour, const QString &line) override;
    void AddTraffic(LineColour colour, const QString &line) override;
    void SetProgress(int percent) override;
    void EnableReadButton(bool enable) override;
    void EnableWriteButton(bool enable) override;
    void SetPortChecked(bool checked) override;
    void RefreshPropertyGrid() override;
    void ShowFirmwareText(const QString &text) override;
    void ReportPortLost(const QString &portName) override;
    bool ConfirmWriteWithoutSpeed() override;

    void ReopenPortAtModelSpeed();
    // Stores what is typed in the grid before a command uses or replaces the values.
    void FinishGridEdit();
    void ShowFileOutcome(const zok::OutcomeMessage &message);
    // Asks for a parameter file and reads it as Load Parameters does, with its message boxes;
    // false when there is nothing to go on with (cancelled, not readable, or a content error when
    // `wholeFile`).
    bool ChooseParameterFile(CZOKProperties &file, std::uint32_t &keys, QString &name, bool wholeFile);

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
    CZOKExchangeSettings m_exchangeSettings;
    CZOKProperties m_properties;
    std::unique_ptr<CZOKExchange> m_exchange;
    QString m_firmwareVersion;
    UrlOpener m_urlOpener;
    PortListSource m_portList;
    std::map<int, QAction *> m_actions;
    CZOKPropertySheet m_sheet{m_properties};
    ParameterFileDialogs m_fileDialogs = ParameterFileDialogs::Standard();
    ParameterFileDialogs::Chooser m_chooseTrafficFile;
    QPointer<EPropCtrl> m_propertyGrid;

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
