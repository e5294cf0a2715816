#pragma once

#include "CZOKToolDialog.h"
#include "SerialPortList.h"

#include <QStringList>

#include <functional>
#include <vector>

class CZOKSettings;
class QComboBox;
class QLabel;

// Serial Port Configuration: offers the serial ports present now, each with what the system says
// of it (tool tip, and a line under the list for the selected one), then the network ports chosen
// lately (CZOKSettings::RecentNetworkPorts), and stores the chosen one in the settings: a local
// port under its stable name when it has one (SerialPortInfo::StableName), so that the same
// adapter is found after a replug. The list is editable: any port name may be typed, a network
// one ("tcp://HOST:PORT", "rfc2217://HOST:PORT") is checked as it is typed and refused with the
// reason when OK finds it malformed. The main window reopens the port when the dialog ends with OK.
class CZOKSerialCfgDlg : public CZOKToolDialog
{
    Q_OBJECT

public:
    using PortInfoSource = std::function<std::vector<zok::SerialPortInfo>()>;
    using PortListSource = std::function<QStringList()>;

    // The ports the kernel reports, with their descriptions and stable links.
    static std::vector<zok::SerialPortInfo> SystemPortInfo();
    // The same ports as device paths only.
    static QStringList SystemPorts();
    // Ports known by name only, without descriptions.
    static PortInfoSource NamesOnly(PortListSource names);

    CZOKSerialCfgDlg(CZOKSettings &settings, PortInfoSource ports = SystemPortInfo,
                     QWidget *parent = nullptr);
    CZOKSerialCfgDlg(CZOKSettings &settings, PortListSource ports, QWidget *parent = nullptr)
        : CZOKSerialCfgDlg(settings, NamesOnly(std::move(ports)), parent)
    {
    }

    void accept() override;

protected:
    void onOpening() override;

private:
    // The details of whatever the list's text names, and the entry it matches, if any.
    void ShowDetails(const QString &text);
    QStringList LocalDetails(int index) const;
    int LocalIndexOf(const QString &text) const;
    // The name OK stores for entry `index`: the saved name when it already names that entry as
    // well as the entry would, else the entry's stable name.
    QString NameToStore(int index) const;
    QString SavedName() const;
    static int IndexOfPort(const std::vector<zok::SerialPortInfo> &ports, const QString &saved);

    CZOKSettings &m_settings;
    PortInfoSource m_ports;
    std::vector<zok::SerialPortInfo> m_shown; // the local ports, in the list's order, first
    QComboBox *m_list = nullptr;              // 1000
    QLabel *m_details = nullptr;
    QLabel *m_hint = nullptr;
    int m_savedIndex = -1; // the entry naming the saved port, preselected at opening
};
