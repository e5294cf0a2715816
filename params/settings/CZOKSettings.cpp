#include "CZOKSettings.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
const std::string kSection = "ZOK";
const std::string kRadioCsv = "RADIO_CSV";
const std::string kRadioCsvFile = "RADIO_CSV_FILE";
const std::string kCaptureFrames = "TRAFFIC_CAPTURE_FRAMES";
const std::string kRecentNetworkPortsKey = "RECENT_NETWORK_PORTS";

// Hexadecimal as the C library reads it: leading digits only, anything else gives 0.
unsigned char parseAddress(const std::string &text)
{
    return static_cast<unsigned char>(std::strtoul(text.c_str(), nullptr, 16) & 0xFF);
}
// Names separated by "," (no port name holds one); empty names are dropped.
std::vector<std::string> splitNames(const std::string &text)
{
    std::vector<std::string> names;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        if (comma > from && names.size() < CZOKSettings::kRecentNetworkPorts)
            names.push_back(text.substr(from, comma - from));
        from = comma + 1;
    }
    return names;
}

std::string joinNames(const std::vector<std::string> &names)
{
    std::string text;
    for (const std::string &name : names)
        text += (text.empty() ? "" : ",") + name;
    return text;
}

// Digits only; anything else gives the default, and a count beyond the maximum the maximum.
std::size_t parseCaptureFrames(const std::string &text)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return CZOKSettings::kDefaultCaptureFrames;
    if (text.size() > 7)
        return CZOKSettings::kMaxCaptureFrames;
    return std::min<std::size_t>(std::stoul(text), CZOKSettings::kMaxCaptureFrames);
}
} // namespace

CZOKSettings::CZOKSettings() = default;

std::string CZOKSettings::PortName() const
{
    std::lock_guard lock(m_mutex);
    return m_portName;
}

void CZOKSettings::SetPortName(const std::string &name)
{
    std::lock_guard lock(m_mutex);
    m_portName = name;
}

unsigned char CZOKSettings::ReceiverAddress() const
{
    std::lock_guard lock(m_mutex);
    return m_receiverAddress;
}

void CZOKSettings::SetReceiverAddress(unsigned char address)
{
    std::lock_guard lock(m_mutex);
    m_receiverAddress = address;
}

std::string CZOKSettings::Language() const
{
    std::lock_guard lock(m_mutex);
    return m_language;
}

int CZOKSettings::LanguageId() const
{
    std::lock_guard lock(m_mutex);
    return m_language == "FRENCH" ? kLanguageFrench : kLanguageEnglish;
}

bool CZOKSettings::Loaded() const
{
    std::lock_guard lock(m_mutex);
    return m_loaded;
}

std::string CZOKSettings::ApplicationDirectory() const
{
    std::lock_guard lock(m_mutex);
    return m_applicationDirectory;
}

void CZOKSettings::SetApplicationDirectory(const std::string &directory)
{
    std::lock_guard lock(m_mutex);
    m_applicationDirectory = directory;
}

bool CZOKSettings::RadioCsvEnabled() const
{
    std::lock_guard lock(m_mutex);
    return m_radioCsvEnabled;
}

void CZOKSettings::SetRadioCsvEnabled(bool enabled)
{
    std::lock_guard lock(m_mutex);
    m_radioCsvEnabled = enabled;
}

std::string CZOKSettings::RadioCsvFile() const
{
    std::lock_guard lock(m_mutex);
    return m_radioCsvFile;
}

void CZOKSettings::SetRadioCsvFile(const std::string &file)
{
    std::lock_guard lock(m_mutex);
    m_radioCsvFile = file;
}

std::vector<std::string> CZOKSettings::RecentNetworkPorts() const
{
    std::lock_guard lock(m_mutex);
    return m_recentNetworkPorts;
}

void CZOKSettings::RememberNetworkPort(const std::string &name)
{
    std::lock_guard lock(m_mutex);
    std::erase(m_recentNetworkPorts, name);
    m_recentNetworkPorts.insert(m_recentNetworkPorts.begin(), name);
    if (m_recentNetworkPorts.size() > kRecentNetworkPorts)
        m_recentNetworkPorts.resize(kRecentNetworkPorts);
}

std::size_t CZOKSettings::TrafficCaptureFrames() const
{
    std::lock_guard lock(m_mutex);
    return m_captureFrames;
}

bool CZOKSettings::Load(const std::string &path)
{
    std::lock_guard lock(m_mutex);
    m_loaded = false;
    if (!m_store.LoadFile(path, false, true, true, false, false))
        return false;
    m_portName = m_store.GetKeyValue(kSection, "SERIAL_PORT", "COM1");
    m_language = m_store.GetKeyValue(kSection, "LANGUAGE", "ENGLISH");
    m_radioCsvEnabled = m_store.GetKeyValue(kSection, kRadioCsv, "0") == "1";
    m_radioCsvFile = m_store.GetKeyValue(kSection, kRadioCsvFile, "");
    m_captureFrames = parseCaptureFrames(m_store.GetKeyValue(kSection, kCaptureFrames, ""));
    m_recentNetworkPorts = splitNames(m_store.GetKeyValue(kSection, kRecentNetworkPortsKey, ""));
    const std::string id = m_store.GetKeyValue(kSection, "RECEIVER_ID", "01");
    if (id.size() != 2)
        return false;
    m_receiverAddress = parseAddress(id);
    m_loaded = true;
    return true;
}

void CZOKSettings::Reset()
{
    std::lock_guard lock(m_mutex);
    m_loaded = false;
    m_receiverAddress = 0;
    m_portName = "COM1";
    m_language = "ENGLISH";
    m_radioCsvEnabled = false;
    m_radioCsvFile.clear();
    m_captureFrames = kDefaultCaptureFrames;
    m_recentNetworkPorts.clear();
}

void CZOKSettings::writeOptionalKeys()
{
    // A file that never used the CSV record keeps exactly the three keys it had.
    const int section = m_store.FindSection(kSection);
    const auto present = [&](const std::string &key) {
        return section >= 0 && m_store.FindKey(section, key) >= 0;
    };
    if (m_radioCsvEnabled || present(kRadioCsv))
        m_store.SetKeyValue(kSection, kRadioCsv, m_radioCsvEnabled ? "1" : "0");
    if (!m_radioCsvFile.empty() || present(kRadioCsvFile))
        m_store.SetKeyValue(kSection, kRadioCsvFile, m_radioCsvFile);
    if (!m_recentNetworkPorts.empty() || present(kRecentNetworkPortsKey))
        m_store.SetKeyValue(kSection, kRecentNetworkPortsKey, joinNames(m_recentNetworkPorts));
}

bool CZOKSettings::Save()
{
    std::lock_guard lock(m_mutex);
    char id[8];
    std::snprintf(id, sizeof id, "%.02X", m_receiverAddress);
    m_store.SetKeyValue(kSection, "SERIAL_PORT", m_portName);
    m_store.SetKeyValue(kSection, "LANGUAGE", m_language);
    m_store.SetKeyValue(kSection, "RECEIVER_ID", id);
    writeOptionalKeys();
    if (!m_store.Changed())
        return true;
    // The store returns its backup name on success; naming the file itself makes success visible.
    m_store.SetBackupFileName(m_store.FileName());
    return !m_store.SaveFile(false).empty();
}
