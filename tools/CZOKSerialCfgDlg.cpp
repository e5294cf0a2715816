#include "CZOKSerialCfgDlg.h"

#include "CZOKSettings.h"
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
    grid->addWidget(new QLabel(Caption("Serial Port Used :", "Port COM utilisé :"), this), 0, 0);
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
    m_list->setCurrentIndex(ports.indexOf(QString::fromStdString(m_settings.PortName())));
}

void CZOKSerialCfgDlg::accept()
{
    if (m_list->currentIndex() >= 0) {
        m_settings.SetPortName(m_list->currentText().toStdString());
        m_settings.Save();
    }
    CZOKToolDialog::accept();
}
