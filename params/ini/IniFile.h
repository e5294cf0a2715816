#pragma once

#include <string>
#include <string_view>

// File side of the INI store. No function throws; failures are results.
namespace zok::ini {

// Reads the whole of `path` into `bytes` as `LoadFile` opens it: only a regular file (a folder, a
// FIFO or a device is refused, so nothing can hang or read endlessly); unless `readOnly`, it must be
// writable too, and a missing file is created empty when `createIfMissing` (never truncated).
// Returns false when the file cannot be opened; a read error later keeps the bytes read so far.
bool ReadForLoad(const std::string &path, bool createIfMissing, bool readOnly, std::string &bytes);

// Replaces the content of `path` with `bytes` through a temporary file in the same folder that is
// renamed over it, so a crash, a kill or a full disk leaves either the old or the new file, never
// a truncated one. The old file's permissions are kept; a symbolic link is followed and stays a
// link. Returns false, leaving the old file as it was, when any step fails.
bool ReplaceFile(const std::string &path, std::string_view bytes);

// Copies `from` over `to`. A missing `from` needs no copy and counts as success.
bool CopyForBackup(const std::string &from, const std::string &to);

// The next numbered backup name of `path`: "<path>.<nnn>", one above the highest number that the
// last three characters of the files named like `path` up to its extension carry ("ZOK.ini.001"
// when there is none).
std::string NextBackupName(const std::string &path);

} // namespace zok::ini
