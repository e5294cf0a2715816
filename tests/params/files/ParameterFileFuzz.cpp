// Arbitrary bytes as a parameter file. Loading must not crash and must report consistently: the
// applied count says how far it got, the speed key is reached exactly when the first seven keys
// were applied, and a model saved after any load loads back whole with the same values.
#include "CZOKProperties.h"
#include "ParameterFile.h"
#include "ParameterTable.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

std::string scratchFile(const char *suffix)
{
    // A memory file system when there is one: the target writes two files per input.
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::is_directory("/dev/shm", ec)
                                             ? std::filesystem::path("/dev/shm")
                                             : std::filesystem::temp_directory_path();
    static const unsigned tag = std::random_device()();
    return (folder / ("zok-param-fuzz-" + std::to_string(tag) + suffix)).string();
}

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// RX_VITESSE is the eighth key of a file: it is reached once the seven keys before it applied.
constexpr int kKeysBeforeSpeed = 7;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::string input = scratchFile(".zok");
    static const std::string output = scratchFile("-saved.zok");
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    }
    CZOKProperties props;
    const auto result = zok::LoadParameterFile(input, props);
    require(result.Outcome != zok::LoadOutcome::AccessError);
    require(result.AppliedCount >= 0 && result.AppliedCount <= 22);
    require((result.Outcome == zok::LoadOutcome::Loaded) == (result.AppliedCount == 22));
    require(result.SpeedKeyReached == (result.AppliedCount >= kKeysBeforeSpeed));

    require(zok::SaveParameterFile(output, props) == zok::SaveOutcome::Saved);
    CZOKProperties reloaded;
    require(zok::LoadParameterFile(output, reloaded).Outcome == zok::LoadOutcome::Loaded);
    for (const auto &info : zok::Parameters())
        require(reloaded.Value(info.Id) == props.Value(info.Id));
    std::filesystem::remove(input);
    std::filesystem::remove(output);
    return 0;
}
