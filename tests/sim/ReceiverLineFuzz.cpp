// Random byte streams as commands: the receivers never crash, and whatever they answer is a
// well-formed frame of theirs.
#include "CommandCutter.h"
#include "HexText.h"
#include "ReceiverLine.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace zok::sim;
    ReceiverConfig first;
    ReceiverConfig second;
    second.address = 0x2A;
    second.registers[RegisterTable::kFrameFormat] = 1;
    ReceiverLine line({first, second}, 1, Clock::now());
    CommandCutter cutter;
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    for (const HeardFrame &frame : cutter.feed(bytes, 9600)) {
        for (const std::string &answer : line.hear(frame, Clock::now()).record.answers) {
            if (answer.starts_with("VE"))
                continue;
            const std::string address = answer.substr(answer.size() - 2);
            const bool ours = address == "01" || address == "2A";
            const bool hex = HexText::isUpperHex(answer.starts_with("OK") ? answer.substr(2) : answer);
            if (!ours || !hex || (answer.size() != 6 && answer.size() != 8))
                std::abort();
        }
    }
    return 0;
}
