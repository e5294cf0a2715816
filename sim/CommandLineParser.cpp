#include "CommandLineParser.h"

#include "LineSpeed.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <sstream>

namespace zok::sim {

namespace {
std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

using Self = CommandLineParser;
} // namespace

const std::vector<CommandLineParser::Option> &CommandLineParser::options()
{
    static const std::vector<Option> table{
        {"--pace", false, [](Self &p, const std::string &) { p.result_.config.paceAtWireRate = true; }},
        {"--seed", true,
         [](Self &p, const std::string &v) {
             p.result_.config.seed = static_cast<std::uint32_t>(p.number(v, 0, 2147483647));
         }},
        {"--link", true, [](Self &p, const std::string &v) { p.result_.linkPath = v; }},
        {"--verbose", false, [](Self &p, const std::string &) { p.result_.verbose = true; }},
        {"--receiver", true,
         [](Self &p, const std::string &v) {
             p.result_.config.receivers.push_back(ReceiverConfig{});
             p.rateGiven_.push_back(false);
             p.current().address = p.hexByte(v);
         }},
        {"--speed", true, [](Self &p, const std::string &v) { p.current().baud = p.number(v, 0, 115200); }},
        {"--firmware", true, [](Self &p, const std::string &v) { p.current().firmware = v; }},
        {"--params", true, [](Self &p, const std::string &v) { p.setParams(v); }},
        {"--set", true, [](Self &p, const std::string &v) { p.setRegister(v); }},
        {"--format", true,
         [](Self &p, const std::string &v) {
             if (v != "16" && v != "24")
                 p.fail("--format takes 16 or 24");
             p.current().registers[RegisterTable::kFrameFormat] = v == "16" ? 1 : 2;
         }},
        {"--delay", true,
         [](Self &p, const std::string &v) { p.current().answerDelayMs = p.number(v, 0, 600000); }},
        {"--level", true,
         [](Self &p, const std::string &v) { p.current().radioLevel = p.number(v, 0, 255); }},
        {"--level-jitter", true,
         [](Self &p, const std::string &v) { p.current().radioJitter = p.number(v, 0, 255); }},
        {"--tag", true, [](Self &p, const std::string &v) { p.addTag(v); }},
        {"--tag-rate", true,
         [](Self &p, const std::string &v) {
             p.current().tagRate = p.rate(v);
             p.rateGiven_.back() = true;
         }},
        {"--tags-paused", false, [](Self &p, const std::string &) { p.result_.tagsPaused = true; }},
        {"--silent", false, [](Self &p, const std::string &) { p.current().faults.silent = true; }},
        {"--lose", true,
         [](Self &p, const std::string &v) { p.current().faults.losePercent = p.number(v, 0, 100); }},
        {"--late", true, [](Self &p, const std::string &v) { p.setLate(v); }},
        {"--lower-case", false, [](Self &p, const std::string &) { p.current().faults.lowerCaseHex = true; }},
        {"--duplicate-acks", false,
         [](Self &p, const std::string &) { p.current().faults.duplicateAcks = true; }},
        {"--noise", false, [](Self &p, const std::string &) { p.current().faults.noise = true; }},
    };
    return table;
}

CommandLine::Result CommandLineParser::run()
{
    result_.config.receivers.clear();
    try {
        while (next_ < args_.size() && result_.action == CommandLine::Action::Run)
            handle(args_[next_++]);
        finish();
    } catch (const std::invalid_argument &error) {
        result_.action = CommandLine::Action::Error;
        result_.error = error.what();
    }
    return result_;
}

void CommandLineParser::handle(const std::string &arg)
{
    if (arg == "-h" || arg == "--help") {
        result_.action = CommandLine::Action::Help;
        return;
    }
    const std::string name = arg == "-v" ? "--verbose" : arg.substr(0, arg.find('='));
    const auto &table = options();
    const auto option =
        std::find_if(table.begin(), table.end(), [&](const Option &o) { return name == o.name; });
    if (option == table.end())
        fail("unknown option '" + arg + "'");
    std::string value;
    if (arg.find('=') != std::string::npos) {
        if (!option->takesValue)
            fail(name + " takes no value");
        value = arg.substr(arg.find('=') + 1);
    } else if (option->takesValue) {
        if (next_ >= args_.size())
            fail(name + " needs a value");
        value = args_[next_++];
    }
    option->handler(*this, value);
}

void CommandLineParser::finish()
{
    if (result_.action != CommandLine::Action::Run)
        return;
    current(); // no receiver option at all: the default receiver
    for (std::size_t i = 0; i < result_.config.receivers.size(); ++i) {
        ReceiverConfig &r = result_.config.receivers[i];
        if (!rateGiven_[i] && !r.tags.empty())
            r.tagRate = 1;
    }
    if (const std::string error = result_.config.validate(); !error.empty())
        fail(error);
}

ReceiverConfig &CommandLineParser::current()
{
    if (result_.config.receivers.empty()) {
        result_.config.receivers.push_back(ReceiverConfig{});
        rateGiven_.push_back(false);
    }
    return result_.config.receivers.back();
}

void CommandLineParser::fail(const std::string &message)
{
    throw std::invalid_argument(message);
}

int CommandLineParser::number(const std::string &text, int low, int high)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        fail("'" + text + "' is not a number from " + std::to_string(low) + " to " + std::to_string(high));
    return value;
}

double CommandLineParser::rate(const std::string &text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > kMaxTagRate)
        fail("'" + text + "' is not a rate from 0 to 100000 per second");
    return value;
}

std::uint8_t CommandLineParser::hexByte(const std::string &text)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.empty() || text.size() > 2 || error != std::errc() || end != text.data() + text.size())
        fail("'" + text + "' is not a hexadecimal byte (00 to FF)");
    return static_cast<std::uint8_t>(value);
}

void CommandLineParser::setParams(const std::string &list)
{
    const auto &all = RegisterTable::parameterCodes();
    const auto &required = RegisterTable::requiredCodes();
    if (list == "all" || list == "required") {
        const auto &codes = list == "all" ? all : required;
        current().supported = {codes.begin(), codes.end()};
        return;
    }
    current().supported.clear();
    std::istringstream items(list);
    for (std::string item; std::getline(items, item, ',');) {
        const std::uint8_t code = hexByte(item);
        if (!RegisterTable::isParameter(code))
            fail("'" + item + "' is not a parameter read code");
        current().supported.insert(code);
    }
}

void CommandLineParser::setRegister(const std::string &assignment)
{
    const auto equals = assignment.find('=');
    if (equals == std::string::npos)
        fail("--set takes CODE=HH, e.g. 0B=80");
    const std::uint8_t code = hexByte(assignment.substr(0, equals));
    if (code == RegisterTable::kSpeed)
        fail("register 12 is the line speed: use --speed");
    if (!RegisterTable::isParameter(code) && !RegisterTable::isFilterRead(code))
        fail("'" + assignment.substr(0, equals) + "' is neither a parameter nor an ID filter register");
    current().registers[code] = hexByte(assignment.substr(equals + 1));
}

void CommandLineParser::setLate(const std::string &value)
{
    const auto colon = value.find(':');
    current().faults.lateMs = number(value.substr(0, colon), 0, 600000);
    current().faults.latePercent = colon == std::string::npos ? 100 : number(value.substr(colon + 1), 0, 100);
}

void CommandLineParser::addTag(const std::string &tag)
{
    current().tags.push_back(upper(tag));
}

} // namespace zok::sim
