#include "CZOKSerialCfgDlg.h"

#include "CZOKSettings.h"
#include "NetworkPortName.h"
#include "PortName.h"
#include "PortProblemText.h"
#include "ToolText.h"
#include "ZokText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

using zok::tools::Caption;

namespace {
constexpr int kSerialNumberText = 445;
constexpr int kKeptAsText = 446;
constexpr int kNetworkHintText = 519;
constexpr int kRawNetworkText = 520;
constexpr int kRfc2217NetworkText = 521;

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

// What a network port name is, or what is wrong with it; empty for any other name.
QString NetworkDetails(const QString &text)
{
    zok::NetworkPortName name;
    if (!zok::IsNetworkPortName(text.toStdString()))
        return {};
    if (zok::ParseNetworkPortName(text.toStdString(), name) != zok::PortNameProblem::None)
        return zok::PortNameProblemText(text);
    const int kind = name.scheme == zok::NetworkScheme::Rfc2217 ? kRfc2217NetworkText : kRawNetworkText;
    return Fill(kind, FromStd(name.HostAndPort()));
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
    m_list->setEditable(true);
    m_list->setInsertPolicy(QComboBox::NoInsert);
    m_list->setMinimumWidth(
        fontMetrics().horizontalAdvance(QStringLiteral("rfc2217://192.168.100.100:4001")) + 40);
    m_details = new QLabel(this);
    m_details->setObjectName(QStringLiteral("details"));
    m_details->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_hint = new QLabel(zok::Text(kNetworkHintText), this);
    m_hint->setObjectName(QStringLiteral("hint"));
    m_hint->setForegroundRole(QPalette::PlaceholderText);
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
    grid->addWidget(m_hint, 1, 1);
    grid->addWidget(m_details, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 4, 0, 1, 2);
    grid->setRowMinimumHeight(3, fontMetrics().height() / 2);
    grid->setColumnStretch(1, 1);
    // The edit field inside the list is what the keyboard reaches: it carries the label's name too.
    m_list->lineEdit()->setAccessibleName(label->text().remove(u'&').remove(u':').trimmed());
    m_list->lineEdit()->setAccessibleDescription(m_hint->text());

    connect(ok, &QPushButton::clicked, this, &CZOKSerialCfgDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QComboBox::currentTextChanged, this, &CZOKSerialCfgDlg::ShowDetails);
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
    // The network ports after the local ones, the latest first; a saved one is among them.
    QStringList network;
    if (zok::IsNetworkPortName(m_settings.PortName()))
        network << SavedName();
    for (const std::string &name : m_settings.RecentNetworkPorts()) {
        if (!network.contains(FromStd(name)))
            network << FromStd(name);
    }
    for (const QString &name : network) {
        m_list->addItem(name);
        m_list->setItemData(m_list->count() - 1, NetworkDetails(name), Qt::ToolTipRole);
    }
    m_savedIndex = IndexOfPort(m_shown, SavedName());
    if (m_savedIndex < 0 && !network.isEmpty() && network.front() == SavedName())
        m_savedIndex = static_cast<int>(m_shown.size());
    m_list->setCurrentIndex(m_savedIndex);
    ShowDetails(m_list->currentText());
}

int CZOKSerialCfgDlg::LocalIndexOf(const QString &text) const
{
    for (std::size_t i = 0; i < m_shown.size(); ++i) {
        if (FromStd(m_shown[i].path) == text)
            return static_cast<int>(i);
    }
    return -1;
}

void CZOKSerialCfgDlg::ShowDetails(const QString &text)
{
    // Typed out in full, an entry's name selects it.
    if (const int entry = m_list->findText(text, Qt::MatchExactly);
        entry >= 0 && entry != m_list->currentIndex())
        m_list->setCurrentIndex(entry);
    const int local = LocalIndexOf(text.trimmed());
    const QStringList lines = local >= 0 ? LocalDetails(local) : QStringList(NetworkDetails(text.trimmed()));
    m_details->setText(lines.join(u'\n'));
    m_details->setVisible(!m_details->text().isEmpty());
}

// The selected port's description and serial number, and the link OK keeps when it keeps one.
QStringList CZOKSerialCfgDlg::LocalDetails(int index) const
{
    QStringList lines;
    const zok::SerialPortInfo &port = m_shown[static_cast<std::size_t>(index)];
    if (const std::string description = port.Description(); !description.empty())
        lines << FromStd(description);
    if (!port.serialNumber.empty())
        lines << Fill(kSerialNumberText, FromStd(port.serialNumber));
    const QString kept = NameToStore(index);
    if (!kept.isEmpty() && (kept == FromStd(port.byId) || kept == FromStd(port.byPath)))
        lines << zok::Text(kKeptAsText) << kept;
    return lines;
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

// A local entry is stored as NameToStore says, any other name as typed; a network name only once
// it parses, and it joins the recent network ports.
void CZOKSerialCfgDlg::accept()
{
    const QString text = m_list->currentText().trimmed();
    const int local = LocalIndexOf(text);
    QString name = local >= 0 ? NameToStore(local) : text;
    if (local < 0 && zok::IsNetworkPortName(text.toStdString())) {
        if (const QString problem = zok::PortNameProblemText(text); !problem.isEmpty()) {
            showMessage(problem, QMessageBox::Warning);
            m_list->setFocus();
            return;
        }
        m_settings.RememberNetworkPort(text.toStdString());
    }
    if (!name.isEmpty()) {
        m_settings.SetPortName(name.toStdString());
        m_settings.Save();
    }
    CZOKToolDialog::accept();
}
