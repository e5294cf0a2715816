#include "ChaosLine.h"

#include <QFile>

#include <array>

namespace {

constexpr std::uint8_t kReceiver = 0x01;
constexpr std::uint8_t kSecondReceiver = 0x0A;
constexpr std::array<int, 5> kSpeeds = {9600, 19200, 38400, 57600, 115200};

// The simulator's own seed (late answers, lost frames): any non-negative int.
constexpr int kSeedRange = 0x7FFFFFFF;

} // namespace

ChaosLine::ChaosLine(const QString &linkPath, chaos::Draws &draws) : m_link(linkPath)
{
    BringUp(draws);
}

ChaosLine::~ChaosLine() = default;

void ChaosLine::BringUp(chaos::Draws &draws)
{
    zok::sim::SimulatorConfig config;
    config.seed = static_cast<std::uint32_t>(draws.Pick(kSeedRange));
    zok::sim::ReceiverConfig second;
    second.address = kSecondReceiver;
    second.baud = kSpeeds.at(static_cast<std::size_t>(draws.Pick(2)));
    config.receivers.push_back(second);
    m_sim = std::make_unique<zok::sim::Simulator>(config);
    const QString slave = QString::fromStdString(m_sim->start());
    QFile::remove(m_link);
    QFile::link(slave, m_link);
}

QString ChaosLine::SlavePath() const
{
    return m_sim ? QString::fromStdString(m_sim->slavePath()) : QString();
}

std::string ChaosLine::HangUp(chaos::Draws &draws)
{
    ++m_hangUps;
    ++m_faults;
    m_sim.reset();
    BringUp(draws);
    return "line: hang-up, new pty " + SlavePath().toStdString();
}

std::string ChaosLine::Misbehave(chaos::Draws &draws)
{
    ++m_faults;
    // Hang-ups one time in ten: a run of a few hundred actions then goes through several.
    switch (draws.Pick(20)) {
    case 0:
    case 1:
        --m_faults; // HangUp counts itself
        return HangUp(draws);
    case 2:
    case 3:
    case 4:
        return ChangeSpeed(draws);
    case 5:
    case 6:
        return Flood(draws);
    case 7:
    case 8:
        return Noise(draws);
    case 9:
    case 10:
        return Calm();
    default:
        return ToggleFault(draws);
    }
}

std::string ChaosLine::ToggleFault(chaos::Draws &draws)
{
    const int which = draws.Pick(7);
    const std::uint8_t address = draws.Pick(4) == 0 ? kSecondReceiver : kReceiver;
    std::string what;
    m_sim->updateReceiver(address, [&](zok::sim::ReceiverConfig &r) {
        zok::sim::Faults &f = r.faults;
        switch (which) {
        case 0:
            f.silent = !f.silent;
            what = f.silent ? "silent" : "not silent";
            break;
        case 1:
            f.losePercent = f.losePercent ? 0 : 10 + draws.Pick(80);
            what = "lose " + std::to_string(f.losePercent) + "%";
            break;
        case 2:
            f.lateMs = f.lateMs ? 0 : 50 + draws.Pick(2500);
            f.latePercent = 10 + draws.Pick(91);
            what = "late " + std::to_string(f.lateMs) + " ms at " + std::to_string(f.latePercent) + "%";
            break;
        case 3:
            f.lowerCaseHex = !f.lowerCaseHex;
            what = f.lowerCaseHex ? "lower-case" : "upper-case";
            break;
        case 4:
            f.duplicateAcks = !f.duplicateAcks;
            what = f.duplicateAcks ? "duplicate acks" : "single acks";
            break;
        case 5:
            f.noise = !f.noise;
            what = f.noise ? "noise" : "no noise";
            break;
        default:
            r.answerDelayMs = r.answerDelayMs ? 0 : draws.Pick(400);
            what = "answer delay " + std::to_string(r.answerDelayMs) + " ms";
            break;
        }
    });
    return "line: receiver " + std::to_string(address) + " " + what;
}

std::string ChaosLine::ChangeSpeed(chaos::Draws &draws)
{
    const int baud = kSpeeds.at(static_cast<std::size_t>(draws.Pick(static_cast<int>(kSpeeds.size()))));
    const std::uint8_t address = draws.Pick(4) == 0 ? kSecondReceiver : kReceiver;
    m_sim->updateReceiver(address, [&](zok::sim::ReceiverConfig &r) { r.baud = baud; });
    return "line: receiver " + std::to_string(address) + " speed " + std::to_string(baud);
}

std::string ChaosLine::Flood(chaos::Draws &draws)
{
    const bool on = draws.Pick(2) == 0;
    const double rate = on ? 20.0 + draws.Pick(480) : 0.0;
    m_sim->updateReceiver(kReceiver, [&](zok::sim::ReceiverConfig &r) {
        r.tags = on ? std::vector<std::string>{"12AB34", "00FF00", "ABCDEF"} : std::vector<std::string>{};
        r.tagRate = rate;
    });
    return on ? "line: tag flood " + std::to_string(static_cast<int>(rate)) + "/s" : "line: tag flood off";
}

std::string ChaosLine::Noise(chaos::Draws &draws)
{
    static constexpr std::array<const char *, 6> kBursts = {
        "[", "]]]][[[[", "[0101\x01\xff]", "[VE v99.99.99]", "[OK130001][OK130001][OK130001]", "[9901zz]"};
    std::string bytes = kBursts.at(static_cast<std::size_t>(draws.Pick(static_cast<int>(kBursts.size()))));
    if (draws.Pick(3) == 0)
        bytes += std::string(static_cast<std::size_t>(1000 + draws.Pick(6000)), 'A');
    m_sim->sendRaw(bytes);
    return "line: raw bytes (" + std::to_string(bytes.size()) + ")";
}

std::string ChaosLine::Calm()
{
    for (const std::uint8_t address : {kReceiver, kSecondReceiver})
        m_sim->updateReceiver(address, [](zok::sim::ReceiverConfig &r) {
            r.faults = {};
            r.answerDelayMs = 0;
            r.tags.clear();
            r.tagRate = 0;
        });
    return "line: calm";
}
