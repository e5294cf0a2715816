#include "IniFile.h"

#include "RenameOver.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace zok::ini {

namespace {

bool createEmptyIfMissing(const fs::path &path)
{
    std::error_code ec;
    if (fs::exists(fs::symlink_status(path, ec)))
        return true;
    // Append mode creates the file when absent and never truncates one that appeared meanwhile.
    std::ofstream create(path, std::ios::binary | std::ios::app);
    return create.good();
}

void readAll(std::istream &in, std::string &bytes)
{
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0)
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
}

// The file that a save really replaces: the target of a symbolic link, so the link survives.
fs::path replacedFile(const fs::path &path)
{
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(path, ec))) {
        const fs::path target = fs::canonical(path, ec);
        if (!ec)
            return target;
    }
    return path;
}

fs::path temporaryBeside(const fs::path &file)
{
    std::random_device random;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
    return file.parent_path() / ("." + file.filename().string() + suffix);
}

bool writeTemporary(const fs::path &temp, const fs::path &file, std::string_view bytes)
{
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    std::error_code ec;
    const fs::file_status old = fs::status(file, ec);
    if (!ec && fs::exists(old))
        fs::permissions(temp, old.permissions(), fs::perm_options::replace, ec);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

// Leading decimal digits of `text`, 0 when it starts with anything else.
int leadingNumber(std::string_view text)
{
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

bool ReadForLoad(const std::string &path, bool createIfMissing, bool readOnly, std::string &bytes)
{
    bytes.clear();
    if (path.empty() || (!readOnly && createIfMissing && !createEmptyIfMissing(path)))
        return false;
    std::error_code ec;
    if (!fs::is_regular_file(fs::status(path, ec)))
        return false;
    const auto mode = std::ios::binary | std::ios::in | (readOnly ? std::ios::openmode{} : std::ios::out);
    std::fstream in(path, mode);
    if (!in.is_open())
        return false;
    readAll(in, bytes);
    return true;
}

bool ReplaceFile(const std::string &path, std::string_view bytes)
{
    if (path.empty())
        return false;
    const fs::path file = replacedFile(path);
    const fs::path temp = temporaryBeside(file);
    std::error_code ec;
    if (!writeTemporary(temp, file, bytes)) {
        fs::remove(temp, ec);
        return false;
    }
    RenameOver(temp, file, ec);
    if (ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

bool CopyForBackup(const std::string &from, const std::string &to)
{
    std::error_code ec;
    if (!fs::exists(fs::status(from, ec)))
        return true;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        // Windows' standard library fails to overwrite an existing copy; a fresh one is as good.
        fs::remove(to, ec);
        fs::copy_file(from, to, ec);
    }
    return !ec;
}

std::string NextBackupName(const std::string &path)
{
    const fs::path file(path);
    const std::string base = file.filename().string();
    const std::string prefix = base.substr(0, base.rfind('.'));
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    int highest = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const int number =
            leadingNumber(std::string_view(name).substr(name.size() < 3 ? 0 : name.size() - 3));
        highest = std::max(highest, number);
    }
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%.3d", highest + 1);
    return path + suffix;
}

} // namespace zok::ini
