#pragma once

#include <string>
#include <utility>
#include <vector>

// The program's INI file store: an ordered list of sections, each an ordered list of key/value
// pairs, loaded from a file, queried and changed in memory, and written back whole.
//
// Texts are bytes (UTF-8 in practice) and are kept as read: keys and values are not trimmed but for
// white space at line ends, duplicate keys and sections are kept in order, and the last duplicate
// key of a section is the one read and changed. Results report failures: false or an empty text.
// Files are written with CR LF line ends and replaced atomically.
class CIniEx
{
public:
    explicit CIniEx(int growStep);
    virtual ~CIniEx();
    CIniEx(const CIniEx &) = delete;
    CIniEx &operator=(const CIniEx &) = delete;

    // Loads `path`; false when it cannot be opened (the store is then empty and without file name).
    // A store that already holds a file saves it first (if changed) and clears it. `readOnly` forces
    // `writeOnClose` and `createIfMissing` off; otherwise the file must be writable, and a missing one
    // is created empty when `createIfMissing`.
    bool LoadFile(const std::string &path, bool writeOnClose, bool createIfMissing, bool ignoreCase,
                  bool makeBackup, bool readOnly);

    // The value of `key` in `section`, or `defaultValue` when either does not exist.
    std::string GetKeyValue(const std::string &section, const std::string &key,
                            const std::string &defaultValue) const;
    // Sets the value, appending the section and/or the key when missing. A change of letter case
    // alone is stored but, with IgnoreCase, does not count as a change.
    void SetKeyValue(const std::string &section, const std::string &key, const std::string &value);
    // Removes the first section of that name; false when there is none.
    bool RemoveSection(const std::string &section);

    void SetBackupFileName(const std::string &name);
    // Writes the store to its file when it changed, first copying the old file to the backup name
    // when `makeBackup` (computing a numbered name when none is set). Returns the backup file name,
    // or an empty text when nothing was written; on failure the old file is left intact.
    std::string SaveFile(bool makeBackup);
    // Removes every section, forgets the file name and resets Changed.
    void Clear();

    // Positions, -1 when absent. The first section of a name wins; the last key of a name wins.
    int FindSection(const std::string &name) const;
    int FindKey(int section, const std::string &key) const;
    // The next free numbered backup name of the loaded file ("ZOK.ini.001", ...).
    std::string MakeBackupFileName() const;

    bool Changed() const { return m_changed; }
    bool IgnoreCase() const { return m_ignoreCase; }
    bool WriteOnClose() const { return m_writeOnClose; }
    bool MakeBackup() const { return m_makeBackup; }
    int GrowStep() const { return m_growStep; }
    const std::string &FileName() const { return m_fileName; }
    const std::string &BackupFileName() const { return m_backupFileName; }

    // Read access to the content, in file order.
    int SectionCount() const { return static_cast<int>(m_sections.size()); }
    const std::string &SectionName(int section) const { return m_sections.at(section).name; }
    int KeyCount(int section) const { return static_cast<int>(m_sections.at(section).pairs.size()); }
    const std::string &Key(int section, int index) const
    {
        return m_sections.at(section).pairs.at(index).first;
    }
    const std::string &Value(int section, int index) const
    {
        return m_sections.at(section).pairs.at(index).second;
    }

private:
    struct Section
    {
        std::string name;
        // Key and value of each line, in file order; keeping them together keeps them parallel.
        std::vector<std::pair<std::string, std::string>> pairs;
    };

    void parse(const std::string &bytes);
    void appendSection(std::string name);
    std::string serialise() const;

    std::vector<Section> m_sections;
    int m_growStep;
    bool m_ignoreCase = true;
    bool m_writeOnClose = false;
    bool m_makeBackup = false;
    bool m_changed = false;
    std::string m_backupFileName;
    std::string m_fileName;
};
