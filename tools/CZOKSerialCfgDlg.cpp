#include "CZOKSerialCfgDlg.h"

#include "CZOKSettings.h"
#include "PortName.h"
#include "SerialPortList.h"
#include "ToolText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

using zok::tools::Caption;

QStringList CZOKSerialCfgDlg::SystemPorts()
{
    QStringList ports;
    for (const std::string &port : zok::ListSerialPorts())
        ports << QString::fromStdString(port);
    return ports;
}

CZOKSerialCfgDlg::CZOKSerialCfgDlg(CZOKSettings &settings, PortListSource ports, QWidget *parent)
    : CZOKToolDialog(parent), m_settings(settings), m_ports(std::move(ports))
{
    setWindowTitle(Caption("Serial Port Configuration", "Configuration du Port Série"));
    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("1000"));
    m_list->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("/dev/ttyUSB10")) + 40);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(Caption("Cancel", "Annuler"), this);
    cancel->setObjectName(QStringLiteral("2"));

    auto *grid = new QGridLayout(this);
    auto *label = new QLabel(Caption("Serial Port Used :", "Port COM utilisé :"), this);
    label->setBuddy(m_list); // names the list for screen readers
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_list, 0, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 1, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    connect(ok, &QPushButton::clicked, this, &CZOKSerialCfgDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CZOKSerialCfgDlg::onOpening()
{
    QStringList ports = m_ports ? m_ports() : QStringList();
    // The list is sorted as text, so COM10 stands before COM2.
    std::sort(ports.begin(), ports.end());
    m_list->clear();
    m_list->addItems(ports);
    m_savedIndex = IndexOfPort(ports, QString::fromStdString(m_settings.PortName()));
    m_list->setCurrentIndex(m_savedIndex);
}

// The list holds device paths while the settings may hold "COM1" or "ttyUSB0": an entry names the
// saved port when it opens the same device, by the rule the port opening uses. An entry spelt
// exactly as saved wins over another that resolves to the same device.
int CZOKSerialCfgDlg::IndexOfPort(const QStringList &ports, const QString &saved)
{
    if (saved.isEmpty())
        return -1;
    if (const auto exact = ports.indexOf(saved); exact >= 0)
        return static_cast<int>(exact);
    const std::string device = zok::DevicePathForPort(saved.toStdString());
    for (qsizetype i = 0; i < ports.size(); ++i) {
        if (zok::DevicePathForPort(ports[i].toStdString()) == device)
            return static_cast<int>(i);
    }
    return -1;
}

void CZOKSerialCfgDlg::accept()
{
    // The preselected entry is the saved port under its device path: keep the name as saved.
    if (m_list->currentIndex() >= 0 && m_list->currentIndex() != m_savedIndex) {
        m_settings.SetPortName(m_list->currentText().toStdString());
        m_settings.Save();
    }
    CZOKToolDialog::accept();
}
