#pragma once

#include "CZOKToolDialog.h"

#include <QStringList>

#include <functional>

class CZOKSettings;
class QComboBox;

// Serial Port Configuration: offers the serial ports present now and stores the chosen one in the
// settings. The main window reopens the port when the dialog ends with OK.
class CZOKSerialCfgDlg : public CZOKToolDialog
{
    Q_OBJECT

public:
    using PortListSource = std::function<QStringList()>;

    // The ports the kernel reports, as device paths.
    static QStringList SystemPorts();

    CZOKSerialCfgDlg(CZOKSettings &settings, PortListSource ports = SystemPorts, QWidget *parent = nullptr);

    void accept() override;

protected:
    void onOpening() override;

private:
    static int IndexOfPort(const QStringList &ports, const QString &saved);

    CZOKSettings &m_settings;
    PortListSource m_ports;
    QComboBox *m_list = nullptr; // 1000
    int m_savedIndex = -1;       // the entry naming the saved port, preselected at opening
};
