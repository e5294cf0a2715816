#pragma once

#include "CIniEx.h"

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

// The program's settings: serial port name, language and receiver address, read from and written
// to the settings file "ZOK.ini" (section "ZOK"). One instance lives for the whole run; every
// accessor takes the lock, so any thread may use it.
class CZOKSettings
{
public:
    static constexpr int kLanguageFrench = 0x0C;
    static constexpr int kLanguageEnglish = 0x09;

    CZOKSettings();
    CZOKSettings(const CZOKSettings &) = delete;
    CZOKSettings &operator=(const CZOKSettings &) = delete;

    std::string PortName() const;
    void SetPortName(const std::string &name);
    unsigned char ReceiverAddress() const;
    void SetReceiverAddress(unsigned char address);
    std::string Language() const;
    // kLanguageFrench when the language text is exactly "FRENCH", else kLanguageEnglish.
    int LanguageId() const;
    // True when the last Load succeeded.
    bool Loaded() const;

    // Folder of the program's own files (settings, radio log): the current directory at start-up,
    // without a trailing separator. Set once by the application.
    std::string ApplicationDirectory() const;
    void SetApplicationDirectory(const std::string &directory);

    // The radio scan's optional CSV record (keys RADIO_CSV and RADIO_CSV_FILE, which older
    // versions ignore): whether it is on, and its file name as the user gave it.
    bool RadioCsvEnabled() const;
    void SetRadioCsvEnabled(bool enabled);
    std::string RadioCsvFile() const;
    void SetRadioCsvFile(const std::string &file);

    // Network ports ("tcp://..." and "rfc2217://...") chosen in the port dialog, the latest first
    // (key RECENT_NETWORK_PORTS, names separated by ",", which older versions ignore). The port
    // dialog lists them after the local ports; Remember puts a name first and keeps
    // kRecentNetworkPorts of them.
    static constexpr std::size_t kRecentNetworkPorts = 8;
    std::vector<std::string> RecentNetworkPorts() const;
    void RememberNetworkPort(const std::string &name);

    // How many frames the traffic capture keeps (key TRAFFIC_CAPTURE_FRAMES, read only, which
    // older versions ignore): 20,000 by default, 0 for none, at most kMaxCaptureFrames.
    static constexpr std::size_t kDefaultCaptureFrames = 20000;
    static constexpr std::size_t kMaxCaptureFrames = 1000000;
    std::size_t TrafficCaptureFrames() const;

    // Reads the settings file at `path`, creating it empty when missing. False when it cannot be
    // opened or RECEIVER_ID is not exactly two characters; the caller then applies Reset.
    bool Load(const std::string &path);
    // The values of a missing configuration: "COM1", "ENGLISH", address 0, not loaded.
    void Reset();
    // Writes the three keys to the loaded file (only when a value changed). False when the file
    // could not be written; the old file is then left as it was.
    bool Save();

private:
    void writeOptionalKeys(); // with the lock held

    mutable std::mutex m_mutex; // protects every member below
    std::string m_portName = "COM1";
    unsigned char m_receiverAddress = 0;
    CIniEx m_store{4};
    std::string m_language = "ENGLISH";
    bool m_loaded = false;
    std::string m_applicationDirectory;
    bool m_radioCsvEnabled = false;
    std::string m_radioCsvFile;
    std::size_t m_captureFrames = kDefaultCaptureFrames;
    std::vector<std::string> m_recentNetworkPorts;
};
