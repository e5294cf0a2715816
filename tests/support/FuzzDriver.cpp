// Runs a fuzz target without libFuzzer: a fixed number of seeded pseudo-random inputs of varied
// lengths and byte mixes, so every ordinary build exercises the target as a regression test.
// Extra arguments are files whose bytes are fed as they are (crash reproducers).
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {
// Bytes a protocol or text parser cares about most, mixed with arbitrary ones.
constexpr char kInteresting[] = "[]=\r\n \t0123456789ABCDEFabcdefxX+-*/.,;%OKVE";

std::vector<uint8_t> makeInput(std::mt19937 &rng)
{
    std::uniform_int_distribution<int> lenDist(0, 300);
    std::uniform_int_distribution<int> byteDist(0, 255);
    std::uniform_int_distribution<size_t> pick(0, sizeof kInteresting - 2);
    std::vector<uint8_t> input(static_cast<size_t>(lenDist(rng)));
    const bool textual = byteDist(rng) < 200;
    for (auto &b : input)
        b = textual ? static_cast<uint8_t>(kInteresting[pick(rng)]) : static_cast<uint8_t>(byteDist(rng));
    return input;
}
} // namespace

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    if (argc > 1)
        return 0;
    std::mt19937 rng(20261207);
    LLVMFuzzerTestOneInput(nullptr, 0);
    for (int i = 0; i < 3000; ++i) {
        const auto input = makeInput(rng);
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    return 0;
}
