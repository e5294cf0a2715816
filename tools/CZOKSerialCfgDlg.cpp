#include "CZOKSerialCfgDlg.h"

#include "CZOKSettings.h"
#include "PortName.h"
#include "ToolText.h"
#include "ZokText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

using zok::tools::Caption;

namespace {
constexpr int kSerialNumberText = 445;
constexpr int kKeptAsText = 446;

QString FromStd(const std::string &text)
{
    return QString::fromStdString(text);
}

// The table's "%s" filled with data taken as it is.
QString Fill(int textId, const QString &value)
{
    return zok::Text(textId).replace(QLatin1String("%s"), value);
}

// Everything known of a port, one fact per line: the tool tip of its entry.
QString ToolTipOf(const zok::SerialPortInfo &port)
{
    QStringList lines;
    if (const std::string description = port.Description(); !description.empty())
        lines << FromStd(description);
    if (!port.serialNumber.empty())
        lines << Fill(kSerialNumberText, FromStd(port.serialNumber));
    for (const std::string &link : {port.byId, port.byPath}) {
        if (!link.empty())
            lines << FromStd(link);
    }
    return lines.join(u'\n');
}
} // namespace

std::vector<zok::SerialPortInfo> CZOKSerialCfgDlg::SystemPortInfo()
{
    return zok::ListSerialPortInfo();
}

QStringList CZOKSerialCfgDlg::SystemPorts()
{
    QStringList ports;
    for (const std::string &port : zok::ListSerialPorts())
        ports << FromStd(port);
    return ports;
}

CZOKSerialCfgDlg::PortInfoSource CZOKSerialCfgDlg::NamesOnly(PortListSource names)
{
    return [names = std::move(names)] {
        std::vector<zok::SerialPortInfo> ports;
        for (const QString &name : names ? names() : QStringList())
            ports.push_back({.path = name.toStdString()});
        return ports;
    };
}

CZOKSerialCfgDlg::CZOKSerialCfgDlg(CZOKSettings &settings, PortInfoSource ports, QWidget *parent)
    : CZOKToolDialog(parent), m_settings(settings), m_ports(std::move(ports))
{
    setWindowTitle(Caption("Serial Port Configuration", "Configuration du Port Série"));
    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("1000"));
    m_list->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("/dev/ttyUSB10")) + 40);
    m_details = new QLabel(this);
    m_details->setObjectName(QStringLiteral("details"));
    m_details->setTextInteractionFlags(Qt::TextSelectableByMouse);
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
    grid->addWidget(m_details, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setRowMinimumHeight(2, fontMetrics().height() / 2);
    grid->setColumnStretch(1, 1);

    connect(ok, &QPushButton::clicked, this, &CZOKSerialCfgDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QComboBox::currentIndexChanged, this, &CZOKSerialCfgDlg::ShowDetails);
}

QString CZOKSerialCfgDlg::SavedName() const
{
    return FromStd(m_settings.PortName());
}

void CZOKSerialCfgDlg::onOpening()
{
    m_shown = m_ports ? m_ports() : std::vector<zok::SerialPortInfo>();
    // The list is sorted as text, so COM10 stands before COM2.
    std::sort(m_shown.begin(), m_shown.end(),
              [](const auto &a, const auto &b) { return FromStd(a.path) < FromStd(b.path); });
    m_list->clear();
    for (std::size_t i = 0; i < m_shown.size(); ++i) {
        m_list->addItem(FromStd(m_shown[i].path));
        m_list->setItemData(static_cast<int>(i), ToolTipOf(m_shown[i]), Qt::ToolTipRole);
    }
    m_savedIndex = IndexOfPort(m_shown, SavedName());
    m_list->setCurrentIndex(m_savedIndex);
    ShowDetails(m_savedIndex);
}

// The selected port's description and serial number, and the link OK keeps when it keeps one.
void CZOKSerialCfgDlg::ShowDetails(int index)
{
    QStringList lines;
    if (index >= 0 && index < static_cast<int>(m_shown.size())) {
        const zok::SerialPortInfo &port = m_shown[static_cast<std::size_t>(index)];
        if (const std::string description = port.Description(); !description.empty())
            lines << FromStd(description);
        if (!port.serialNumber.empty())
            lines << Fill(kSerialNumberText, FromStd(port.serialNumber));
        const QString kept = NameToStore(index);
        if (!kept.isEmpty() && (kept == FromStd(port.byId) || kept == FromStd(port.byPath)))
            lines << zok::Text(kKeptAsText) << kept;
    }
    m_details->setText(lines.join(u'\n'));
    m_details->setVisible(!lines.isEmpty());
}

QString CZOKSerialCfgDlg::NameToStore(int index) const
{
    const zok::SerialPortInfo &port = m_shown[static_cast<std::size_t>(index)];
    QString saved = SavedName();
    const std::string stable = port.StableName();
    if (index == m_savedIndex &&
        (stable == port.path || saved == FromStd(port.byId) || saved == FromStd(port.byPath)))
        return saved;
    return FromStd(stable);
}

// The list holds device paths while the settings may hold "COM1", "ttyUSB0" or a stable link: an
// entry names the saved port when it is one of the entry's links or opens the same device, by
// the rule the port opening uses. An entry spelt exactly as saved wins over another that resolves
// to the same device.
int CZOKSerialCfgDlg::IndexOfPort(const std::vector<zok::SerialPortInfo> &ports, const QString &saved)
{
    if (saved.isEmpty())
        return -1;
    const std::string name = saved.toStdString();
    const auto find = [&](auto &&matches) {
        const auto found = std::find_if(ports.begin(), ports.end(), matches);
        return found == ports.end() ? -1 : static_cast<int>(found - ports.begin());
    };
    if (const int exact = find([&](const auto &port) { return port.path == name; }); exact >= 0)
        return exact;
    if (const int link = find([&](const auto &port) { return port.byId == name || port.byPath == name; });
        link >= 0)
        return link;
    const std::string device = zok::DevicePathForPort(name);
    return find([&](const auto &port) { return zok::DevicePathForPort(port.path) == device; });
}

void CZOKSerialCfgDlg::accept()
{
    const int index = m_list->currentIndex();
    if (index >= 0 && index < static_cast<int>(m_shown.size())) {
        const QString name = NameToStore(index);
        if (name != SavedName()) {
            m_settings.SetPortName(name.toStdString());
            m_settings.Save();
        }
    }
    CZOKToolDialog::accept();
}
