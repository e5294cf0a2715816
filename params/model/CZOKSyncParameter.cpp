#include "CZOKSyncParameter.h"

#include "HexByte.h"

#include <string_view>
#include <utility>

namespace {

constexpr std::size_t kAnswerLength = 4;

std::optional<std::uint8_t> ByteAt(const std::string &answer, std::size_t pos)
{
    if (answer.size() != kAnswerLength)
        return std::nullopt;
    return zok::ParseUpperHexByte(std::string_view(answer).substr(pos, 2));
}

} // namespace

CZOKSyncParameter::CZOKSyncParameter(std::string code, bool received, bool checkAddress, bool parseValue)
    : Code(std::move(code)), Received(received), CheckAddress(checkAddress), ParseValue(parseValue)
{
}

std::optional<std::uint8_t> CZOKSyncParameter::GetValueByte() const
{
    if (!ParseValue)
        return std::nullopt;
    return ByteAt(Answer, 0);
}

std::optional<std::uint8_t> CZOKSyncParameter::GetAddressByte() const
{
    if (!CheckAddress)
        return std::nullopt;
    return ByteAt(Answer, 2);
}
