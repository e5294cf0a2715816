#include "Simulator.h"

#include "HexText.h"
#include "LineSpeed.h"

#include <array>
#include <cerrno>
#include <poll.h>
#include <stdexcept>

namespace zok::sim {

namespace {
const SimulatorConfig &checked(const SimulatorConfig &config)
{
    if (const std::string error = config.validate(); !error.empty())
        throw std::invalid_argument(error);
    return config;
}

template <typename T> void keepLast(std::deque<T> &records)
{
    while (records.size() > Simulator::kRecordLimit)
        records.pop_front();
}

std::string describe(const CommandRecord &command)
{
    std::string line = "<- [" + command.text + "] at " + std::to_string(command.lineBaud) + " baud, heard by";
    if (command.heardBy.empty())
        line += " none";
    for (std::uint8_t address : command.heardBy)
        line += " " + HexText::byte(address);
    return line;
}
} // namespace

Simulator::Simulator(SimulatorConfig config)
    : config_(checked(config)), line_(config_.receivers, config_.seed, Clock::now()),
      writer_({[this](const Transmission &t) { return beginTransmission(t); },
               [this](const Transmission &t) { return characterTime(t); },
               [this](std::string_view bytes) { refusedBytes_ += terminal_->write(bytes); }})
{
}

Simulator::~Simulator()
{
    stop();
}

std::string Simulator::start()
{
    if (running())
        throw std::logic_error("the simulator is already running");
    terminal_ = std::make_unique<PseudoTerminal>();
    {
        std::lock_guard lock(mutex_);
        cutter_ = CommandCutter();
        for (std::size_t i = 0; i < line_.receivers().size(); ++i)
            line_.reschedule(i, Clock::now());
    }
    stopping_ = false;
    wake_.clear();
    thread_ = std::thread([this] { run(); });
    return terminal_->slavePath();
}

void Simulator::stop()
{
    if (!running())
        return;
    stopping_ = true;
    wake();
    thread_.join();
    terminal_.reset();
}

std::string Simulator::slavePath() const
{
    return terminal_ ? terminal_->slavePath() : std::string();
}

int Simulator::lineBaud() const
{
    return terminal_ ? terminal_->lineBaud() : 0;
}

void Simulator::run()
{
    std::array<pollfd, 2> fds{{{terminal_->masterFd(), POLLIN, 0}, {wake_.fd(), POLLIN, 0}}};
    std::optional<Clock::time_point> wakeAt = Clock::now(); // a first step schedules the timers
    while (!stopping_) {
        timespec timeout{};
        if (wakeAt) {
            const auto wait = std::max(Clock::duration::zero(), *wakeAt - Clock::now());
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
            timeout = {static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
        }
        if (::ppoll(fds.data(), fds.size(), wakeAt ? &timeout : nullptr, nullptr) < 0 && errno != EINTR)
            break;
        if (fds[1].revents != 0)
            wake_.clear();
        const bool input = (fds[0].revents & POLLIN) != 0;
        if (!input && (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
            log("the line failed; no longer listening");
            fds[0].fd = -1; // stop watching rather than spin on an error that stays
        }
        wakeAt = step(input, Clock::now());
    }
}

std::optional<Clock::time_point> Simulator::step(bool input, Clock::time_point now)
{
    std::lock_guard lock(mutex_);
    if (input)
        handleInput(now);
    for (Transmission &t : line_.runTimers(now))
        writer_.push(std::move(t));
    std::optional<Clock::time_point> next = writer_.pump(now);
    const std::optional<Clock::time_point> timer = line_.nextTimer();
    if (timer && (!next || *timer < *next))
        next = timer;
    return next;
}

void Simulator::handleInput(Clock::time_point now)
{
    const std::string bytes = terminal_->readAvailable();
    terminal_->releaseExclusiveMode(); // the program is in: let it reopen the line later
    // With echo on, the line would hand our own answers back to us as if the program sent them.
    const int baud = terminal_->echoOn() ? 0 : terminal_->lineBaud();
    for (const HeardFrame &frame : cutter_.feed(bytes, baud)) {
        ReceiverLine::Outcome outcome = line_.hear(frame, now);
        for (Transmission &t : outcome.output)
            writer_.push(std::move(t));
        log(describe(outcome.record));
        record(std::move(outcome.record));
    }
}

void Simulator::record(CommandRecord command)
{
    commands_.push_back(std::move(command));
    keepLast(commands_);
    ++commandCount_;
    recordsGrew_.notify_all();
}

bool Simulator::beginTransmission(const Transmission &t)
{
    if (t.sender < 0)
        return true;
    Receiver *receiver = line_.find(static_cast<std::uint8_t>(t.sender));
    if (receiver == nullptr)
        return false;
    const std::string name = "receiver " + HexText::byte(receiver->config().address);
    if (t.switchToBaud != 0) {
        receiver->setBaud(t.switchToBaud);
        log(name + " now at " + std::to_string(t.switchToBaud) + " baud");
        return false;
    }
    const int lineBaud = terminal_->lineBaud();
    if (lineBaud != receiver->config().baud) {
        log(name + " drops [" + t.frame + "]: line at " + std::to_string(lineBaud) + " baud");
        ++droppedCount_;
        recordsGrew_.notify_all();
        return false;
    }
    log("-> [" + t.frame + "] from " + name);
    frames_.push_back(t.frame);
    keepLast(frames_);
    ++frameCount_;
    recordsGrew_.notify_all();
    return true;
}

std::chrono::nanoseconds Simulator::characterTime(const Transmission &t)
{
    if (!config_.paceAtWireRate)
        return std::chrono::nanoseconds(0);
    Receiver *receiver = t.sender < 0 ? nullptr : line_.find(static_cast<std::uint8_t>(t.sender));
    return LineSpeed::characterTime(receiver ? receiver->config().baud : terminal_->lineBaud());
}

void Simulator::log(const std::string &line) const
{
    if (config_.log)
        config_.log(line);
}

void Simulator::wake()
{
    wake_.signal();
}

std::vector<ReceiverConfig> Simulator::receivers() const
{
    std::lock_guard lock(mutex_);
    std::vector<ReceiverConfig> out;
    for (const Receiver &receiver : line_.receivers())
        out.push_back(receiver.config());
    return out;
}

std::optional<ReceiverConfig> Simulator::receiver(std::uint8_t address) const
{
    for (ReceiverConfig &config : receivers()) {
        if (config.address == address)
            return std::move(config);
    }
    return std::nullopt;
}

std::optional<std::uint8_t> Simulator::registerValue(std::uint8_t address, std::uint8_t code) const
{
    const std::optional<ReceiverConfig> config = receiver(address);
    if (!config || !config->registers.count(code))
        return std::nullopt;
    return config->registers.at(code);
}

bool Simulator::updateReceiver(std::uint8_t address, const std::function<void(ReceiverConfig &)> &change)
{
    std::lock_guard lock(mutex_);
    const auto &all = line_.receivers();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].config().address != address)
            continue;
        SimulatorConfig changed;
        changed.receivers = {all[i].config()};
        change(changed.receivers[0]);
        changed.receivers[0].address = address;
        if (const std::string error = changed.validate(); !error.empty())
            throw std::invalid_argument(error);
        line_.find(address)->setConfig(std::move(changed.receivers[0]));
        line_.reschedule(i, Clock::now());
        wake();
        return true;
    }
    return false;
}

std::vector<CommandRecord> Simulator::commands() const
{
    std::lock_guard lock(mutex_);
    return {commands_.begin(), commands_.end()};
}

std::size_t Simulator::commandCount() const
{
    std::lock_guard lock(mutex_);
    return commandCount_;
}

bool Simulator::waitForCommands(std::size_t count, std::chrono::milliseconds timeout) const
{
    return waitForCount(commandCount_, count, timeout);
}

bool Simulator::waitForCount(const std::size_t &counter, std::size_t count,
                             std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(mutex_);
    return recordsGrew_.wait_for(lock, timeout, [&] { return counter >= count; });
}

std::vector<std::string> Simulator::framesSent() const
{
    std::lock_guard lock(mutex_);
    return {frames_.begin(), frames_.end()};
}

std::size_t Simulator::frameCount() const
{
    std::lock_guard lock(mutex_);
    return frameCount_;
}

bool Simulator::waitForFrames(std::size_t count, std::chrono::milliseconds timeout) const
{
    return waitForCount(frameCount_, count, timeout);
}

std::size_t Simulator::droppedCount() const
{
    std::lock_guard lock(mutex_);
    return droppedCount_;
}

bool Simulator::waitForDropped(std::size_t count, std::chrono::milliseconds timeout) const
{
    return waitForCount(droppedCount_, count, timeout);
}

void Simulator::clearRecords()
{
    std::lock_guard lock(mutex_);
    commands_.clear();
    frames_.clear();
    commandCount_ = 0;
    frameCount_ = 0;
    droppedCount_ = 0;
}

void Simulator::sendRaw(std::string bytes)
{
    {
        std::lock_guard lock(mutex_);
        writer_.push({std::move(bytes), {}, Clock::now(), -1, 0});
    }
    wake();
}

} // namespace zok::sim
