#include "CZOKSettings.h"

#include <cstdio>
#include <cstdlib>

namespace {
const std::string kSection = "ZOK";

// Hexadecimal as the C library reads it: leading digits only, anything else gives 0.
unsigned char parseAddress(const std::string &text)
{
    return static_cast<unsigned char>(std::strtoul(text.c_str(), nullptr, 16) & 0xFF);
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

bool CZOKSettings::Load(const std::string &path)
{
    std::lock_guard lock(m_mutex);
    m_loaded = false;
    if (!m_store.LoadFile(path, false, true, true, false, false))
        return false;
    m_portName = m_store.GetKeyValue(kSection, "SERIAL_PORT", "COM1");
    m_language = m_store.GetKeyValue(kSection, "LANGUAGE", "ENGLISH");
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
}

bool CZOKSettings::Save()
{
    std::lock_guard lock(m_mutex);
    char id[8];
    std::snprintf(id, sizeof id, "%.02X", m_receiverAddress);
    m_store.SetKeyValue(kSection, "SERIAL_PORT", m_portName);
    m_store.SetKeyValue(kSection, "LANGUAGE", m_language);
    m_store.SetKeyValue(kSection, "RECEIVER_ID", id);
    if (!m_store.Changed())
        return true;
    // The store returns its backup name on success; naming the file itself makes success visible.
    m_store.SetBackupFileName(m_store.FileName());
    return !m_store.SaveFile(false).empty();
}
