// Arbitrary bytes as an INI file: loading must not crash, saving must give CR LF lines only, and
// repeated load/save rounds must settle. Each round can only drop a leading "=" of a line, add a
// trailing "=" to a line without one, or drop lines "=" and headers without keys, so the output is
// stable after at most (number of "=" + 4) rounds.
#include "CIniEx.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

const std::string &scratchFile()
{
    // A memory file system when there is one: replacing a file on disk waits for the disk.
    static const std::string path = [] {
        std::error_code ec;
        const std::filesystem::path folder = std::filesystem::is_directory("/dev/shm", ec)
                                                 ? std::filesystem::path("/dev/shm")
                                                 : std::filesystem::temp_directory_path();
        std::random_device random;
        return (folder / ("zok-ini-fuzz-" + std::to_string(random()) + ".ini")).string();
    }();
    return path;
}

void writeFile(const std::string &bytes)
{
    std::ofstream out(scratchFile(), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string readFile()
{
    std::ifstream in(scratchFile(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool onlyCrLfLineEnds(const std::string &bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))
            return false;
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            return false;
    }
    return true;
}

// One load and save of the scratch file; returns what was written.
std::string loadAndSave()
{
    CIniEx ini(4);
    require(ini.LoadFile(scratchFile(), false, false, true, false, false));
    require(!ini.Changed());
    for (int s = 0; s < ini.SectionCount(); ++s)
        for (int k = 0; k < ini.KeyCount(s); ++k)
            require(ini.FindKey(s, ini.Key(s, k)) >= k);
    ini.SetKeyValue("zok-fuzz-scratch", "k", "v");
    require(ini.RemoveSection("zok-fuzz-scratch"));
    ini.SetBackupFileName("saved");
    require(ini.SaveFile(false) == "saved");
    return readFile();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string input(reinterpret_cast<const char *>(data), size);
    writeFile(input);
    std::string previous = loadAndSave();
    require(onlyCrLfLineEnds(previous));
    const auto rounds = std::count(input.begin(), input.end(), '=') + 4;
    for (long round = 0;; ++round) {
        require(round < rounds);
        const std::string next = loadAndSave();
        if (next == previous)
            break;
        previous = next;
    }
    std::filesystem::remove(scratchFile());
    return 0;
}
