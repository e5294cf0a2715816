#pragma once

#include "CommandCutter.h"
#include "CommandRecord.h"
#include "LineWriter.h"
#include "PseudoTerminal.h"
#include "ReceiverConfig.h"
#include "ReceiverLine.h"
#include "SimulatorConfig.h"
#include "WakeEvent.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace zok::sim {

// Virtual receivers on a pseudo-terminal, run on a thread of their own.
//
// Typical use in a test:
//
//     zok::sim::SimulatorConfig config;                 // one receiver at 01, 9600 baud
//     config.receivers[0].faults.duplicateAcks = true;
//     zok::sim::Simulator sim(config);
//     const std::string port = sim.start();             // open this path as the serial port
//     ... the code under test opens `port` and sends " [990001]" ...
//     ASSERT_TRUE(sim.waitForCommands(1, std::chrono::seconds(5)));
//     EXPECT_EQ(sim.registerValue(0x01, 0x0B), 0xFE);
//
// The receivers answer a command only when the speed that the program set on its side of the
// line (its termios settings) equals their own speed, and they send only at their own speed:
// output is dropped when the line is set to another one. After acknowledging a speed write
// (code 13) a receiver changes to the new speed.
//
// start() and stop() belong to the thread that owns the object; every other member may be called
// from any thread while the simulator runs.
class Simulator
{
public:
    // Records kept for inspection; the oldest are dropped beyond this (the counts go on).
    static constexpr std::size_t kRecordLimit = 10000;

    // Throws std::invalid_argument when config.validate() finds a fault.
    explicit Simulator(SimulatorConfig config = {});
    ~Simulator();
    Simulator(const Simulator &) = delete;
    Simulator &operator=(const Simulator &) = delete;

    // Opens the pseudo-terminal, starts the receivers and returns the slave path (the port name
    // for the program). Throws std::system_error when no pseudo-terminal can be opened, and
    // std::logic_error when already running.
    std::string start();
    // Stops the thread and closes the pseudo-terminal; the path goes away. Safe to call twice.
    void stop();
    bool running() const { return thread_.joinable(); }
    std::string slavePath() const;
    // The speed the program has set on the line now; 0 when none of the five or not running.
    int lineBaud() const;

    // The receivers' current state: stored values after writes, speed after speed writes.
    std::vector<ReceiverConfig> receivers() const;
    std::optional<ReceiverConfig> receiver(std::uint8_t address) const;
    std::optional<std::uint8_t> registerValue(std::uint8_t address, std::uint8_t code) const;
    // Changes a receiver while it runs (values, speed, faults, tags; not its address). Returns
    // false when no receiver has that address; throws std::invalid_argument for an invalid change.
    bool updateReceiver(std::uint8_t address, const std::function<void(ReceiverConfig &)> &change);

    // Every bracketed text received from the program, in order, with who heard and what was
    // answered (see CommandRecord).
    std::vector<CommandRecord> commands() const;
    std::size_t commandCount() const;
    // Waits until at least `count` commands have been received since start or the last clear.
    bool waitForCommands(std::size_t count, std::chrono::milliseconds timeout) const;
    // Frame texts actually put on the line (answers and tag reports, not dropped ones), in order.
    std::vector<std::string> framesSent() const;
    std::size_t frameCount() const;
    bool waitForFrames(std::size_t count, std::chrono::milliseconds timeout) const;
    // Bytes the line could not take because the program did not read it in time (a full
    // pseudo-terminal): a frame counted as sent may have been lost there.
    std::size_t refusedBytes() const { return refusedBytes_.load(); }
    // Frames that a receiver did not send because the line was set to another speed than its own.
    std::size_t droppedCount() const;
    bool waitForDropped(std::size_t count, std::chrono::milliseconds timeout) const;
    void clearRecords();

    // Puts bytes on the line as they are, at once and whatever the speed (noise, broken frames).
    void sendRaw(std::string bytes);

private:
    void run();
    std::optional<Clock::time_point> step(bool input, Clock::time_point now);
    void handleInput(Clock::time_point now);
    void record(CommandRecord command);
    bool beginTransmission(const Transmission &transmission);
    std::chrono::nanoseconds characterTime(const Transmission &transmission);
    void log(const std::string &line) const;
    void wake();
    bool waitForCount(const std::size_t &counter, std::size_t count, std::chrono::milliseconds timeout) const;

    const SimulatorConfig config_;
    std::unique_ptr<PseudoTerminal> terminal_; // set by start() before the thread runs, reset after it ends
    WakeEvent wake_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;

    mutable std::mutex mutex_; // protects everything below: the receivers, the output and the records
    mutable std::condition_variable recordsGrew_;
    ReceiverLine line_;
    LineWriter writer_;
    CommandCutter cutter_;
    std::deque<CommandRecord> commands_;
    std::size_t commandCount_ = 0;
    std::deque<std::string> frames_;
    std::size_t frameCount_ = 0;
    std::size_t droppedCount_ = 0;
    std::atomic<std::size_t> refusedBytes_{0};
};

} // namespace zok::sim
