#pragma once

#include "CommandLine.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zok::sim {

// Walks the arguments of zok-sim once; CommandLine is its public face.
class CommandLineParser
{
public:
    explicit CommandLineParser(std::vector<std::string> args) : args_(std::move(args)) {}
    CommandLine::Result run();

private:
    using Handler = std::function<void(CommandLineParser &, const std::string &)>;
    struct Option
    {
        const char *name;
        bool takesValue;
        Handler handler;
    };
    static const std::vector<Option> &options();

    void handle(const std::string &arg);
    void finish();
    ReceiverConfig &current();
    void fail(const std::string &message);
    int number(const std::string &text, int low, int high);
    double rate(const std::string &text);
    std::uint8_t hexByte(const std::string &text);

    void setParams(const std::string &list);
    void setRegister(const std::string &assignment);
    void setLate(const std::string &value);
    void addTag(const std::string &tag);

    std::vector<std::string> args_;
    std::size_t next_ = 0;
    CommandLine::Result result_;
    std::vector<bool> rateGiven_; // per receiver: --tag-rate was given
};

} // namespace zok::sim
