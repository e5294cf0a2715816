#include "CIniEx.h"

#include "IniFile.h"
#include "IniText.h"

#include <algorithm>

CIniEx::CIniEx(int growStep) : m_growStep(std::max(growStep, 1)) {}

CIniEx::~CIniEx()
{
    if (m_writeOnClose)
        SaveFile(m_makeBackup);
    Clear();
}

bool CIniEx::LoadFile(const std::string &path, bool writeOnClose, bool createIfMissing, bool ignoreCase,
                      bool makeBackup, bool readOnly)
{
    if (!m_fileName.empty()) {
        SaveFile(false);
        Clear();
    }
    m_ignoreCase = ignoreCase;
    m_makeBackup = makeBackup;
    m_writeOnClose = writeOnClose && !readOnly;
    std::string bytes;
    if (!zok::ini::ReadForLoad(path, createIfMissing && !readOnly, readOnly, bytes))
        return false;
    m_fileName = path;
    parse(bytes);
    m_changed = false;
    return true;
}

// A header opens a section whose name is only recorded once a key line follows, so a header
// without keys leaves a nameless, empty section that is never written back.
void CIniEx::parse(const std::string &bytes)
{
    std::string current;
    for (std::string &line : zok::ini::SplitLines(bytes)) {
        zok::ini::TrimRight(line);
        if (line.empty())
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            appendSection({});
            current = line.substr(1, line.size() - 2);
            continue;
        }
        if (m_sections.empty())
            appendSection({});
        const std::size_t equals = line.find('=');
        Section &section = m_sections.back();
        if (equals == std::string::npos)
            section.pairs.emplace_back(std::move(line), std::string());
        else
            section.pairs.emplace_back(line.substr(0, equals), line.substr(equals + 1));
        section.name = current;
    }
}

// The section table grows geometrically; the grow step is kept for callers that ask for it.
void CIniEx::appendSection(std::string name)
{
    m_sections.push_back(Section{std::move(name), {}});
}

std::string CIniEx::GetKeyValue(const std::string &section, const std::string &key,
                                const std::string &defaultValue) const
{
    const int s = FindSection(section);
    const int k = s < 0 ? -1 : FindKey(s, key);
    return k < 0 ? defaultValue : m_sections[s].pairs[k].second;
}

void CIniEx::SetKeyValue(const std::string &section, const std::string &key, const std::string &value)
{
    int s = FindSection(section);
    if (s < 0) {
        appendSection(section);
        s = SectionCount() - 1;
        m_changed = true;
    }
    auto &pairs = m_sections[s].pairs;
    const int k = FindKey(s, key);
    if (k < 0) {
        pairs.emplace_back(key, value);
        m_changed = true;
        return;
    }
    if (!zok::ini::SameText(pairs[k].second, value, m_ignoreCase))
        m_changed = true;
    pairs[k].second = value;
}

bool CIniEx::RemoveSection(const std::string &section)
{
    const int s = FindSection(section);
    if (s < 0)
        return false;
    m_sections.erase(m_sections.begin() + s);
    m_changed = true;
    return true;
}

void CIniEx::SetBackupFileName(const std::string &name)
{
    m_backupFileName = name;
}

std::string CIniEx::SaveFile(bool makeBackup)
{
    if (!m_changed)
        return {};
    if (makeBackup) {
        if (m_backupFileName.empty())
            m_backupFileName = MakeBackupFileName();
        // Without the copy that was asked for, overwriting would lose the only old version.
        if (!zok::ini::CopyForBackup(m_fileName, m_backupFileName))
            return {};
    }
    if (!zok::ini::ReplaceFile(m_fileName, serialise()))
        return {};
    return m_backupFileName;
}

std::string CIniEx::serialise() const
{
    std::string out;
    for (const Section &section : m_sections) {
        if (!section.name.empty())
            out += "[" + section.name + "]\r\n";
        // A pair with neither key nor value (a line "=") would be a blank line, which reads back
        // as nothing: it is left out so that written files hold no blank lines.
        for (const auto &[key, value] : section.pairs)
            if (!key.empty() || !value.empty())
                out += key + (key.empty() ? "" : "=") + value + "\r\n";
    }
    return out;
}

void CIniEx::Clear()
{
    m_sections.clear();
    m_fileName.clear();
    m_changed = false;
}

int CIniEx::FindSection(const std::string &name) const
{
    for (int s = 0; s < SectionCount(); ++s)
        if (zok::ini::SameText(m_sections[s].name, name, m_ignoreCase))
            return s;
    return -1;
}

int CIniEx::FindKey(int section, const std::string &key) const
{
    if (section < 0 || section >= SectionCount())
        return -1;
    const auto &pairs = m_sections[section].pairs;
    for (int k = static_cast<int>(pairs.size()) - 1; k >= 0; --k)
        if (zok::ini::SameText(pairs[k].first, key, m_ignoreCase))
            return k;
    return -1;
}

std::string CIniEx::MakeBackupFileName() const
{
    return zok::ini::NextBackupName(m_fileName);
}
