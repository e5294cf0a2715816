// Feeds arbitrary answer codes and texts to the awaited-answer table, the way the read sequence
// does, and checks the invariants that the sequence relies on.
#include "CZOKFirmwareVersion.h"
#include "CZOKProperties.h"
#include "CZOKSyncSession.h"
#include "ParameterWire.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

const char *const kCodes[] = {"01", "03", "05", "07", "0B", "10", "C0", "12", "14",
                              "16", "1A", "1C", "1E", "20", "22", "24", "26", "VE"};

// A frame whose first byte is below 0x80 uses one of the awaited codes, chosen by that byte;
// otherwise the code is the next two bytes as they are.
void StoreFrame(CZOKSyncSession &session, CZOKProperties &props, std::string_view frame,
                std::uint8_t receiver)
{
    if (frame.empty())
        return;
    const auto selector = static_cast<unsigned char>(frame[0]);
    std::string code;
    std::string_view answer;
    if (selector < 0x80) {
        code = kCodes[selector % std::size(kCodes)];
        answer = frame.substr(1);
    } else {
        code = std::string(frame.substr(1, 2));
        answer = frame.size() > 3 ? frame.substr(3) : std::string_view();
    }
    const bool known = session.HasParameter(code);
    const bool accepted = session.StoreAnswer(code, answer, receiver);
    const auto *entry = session.LookupParameter(code);
    Check(known == (entry != nullptr));
    if (entry == nullptr)
        return Check(!accepted);
    Check(entry->Answer == answer);
    Check(!accepted || (entry->CheckAddress && answer.size() == 4));
    if (code == "VE")
        Check(!accepted && entry->Received);
    if (accepted)
        zok::MarkSupported(props, code);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const auto receiver = static_cast<std::uint8_t>(input[0]);
    CZOKSyncSession session;
    CZOKProperties props;
    session.BuildReadList();
    std::size_t start = 1;
    while (start < input.size()) {
        auto end = input.find('\n', start);
        if (end == std::string_view::npos)
            end = input.size();
        StoreFrame(session, props, input.substr(start, end - start), receiver);
        start = end + 1;
    }
    Check(session.ExpectedAnswers().size() == 18);
    zok::ApplyReadAnswers(props, session, receiver);
    Check((props.SupportedMask() & ~0x3FFFFFU) == 0);
    const auto *version = session.LookupParameter("VE");
    const auto firmware = CZOKFirmwareVersion::FromVersionText(version->Answer);
    props.SetFirmwareVersion(firmware.Major, firmware.Minor, firmware.Build);
    props.ResetUnsupportedValues();
    const auto writes = zok::BuildWriteActions(props, receiver, true);
    Check(writes.size() <= 17);
    for (const auto &w : writes)
        Check(w.Command.size() == 8 && w.ExpectedAnswer.size() == 8);
    return 0;
}
