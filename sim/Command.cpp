#include "Command.h"

#include "HexText.h"

namespace zok::sim {

std::optional<Command> Command::parse(std::string_view text)
{
    if (text.size() != 6)
        return std::nullopt;
    const auto code = HexText::parseByte(text.substr(0, 2));
    const auto value = HexText::parseByte(text.substr(2, 2));
    const auto address = HexText::parseByte(text.substr(4, 2));
    if (!code || !value || !address)
        return std::nullopt;
    return Command{*code, *value, *address};
}

} // namespace zok::sim
