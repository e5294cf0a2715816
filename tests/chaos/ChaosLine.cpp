#include "ChaosLine.h"

#include <QFile>

#include <array>

namespace {

constexpr std::uint8_t kReceiver = 0x01;
constexpr std::uint8_t kSecondReceiver = 0x0A;
constexpr std::array<int, 5> kSpeeds = {9600, 19200, 38400, 57600, 115200};

int Pick(std::mt19937 &random, int count)
{
    return std::uniform_int_distribution<int>(0, count - 1)(random);
}

} // namespace

ChaosLine::ChaosLine(std::uint32_t seed, const QString &linkPath) : m_random(seed), m_link(linkPath)
{
    BringUp();
}

ChaosLine::~ChaosLine() = default;

void ChaosLine::BringUp()
{
    zok::sim::SimulatorConfig config;
    config.seed = m_random();
    zok::sim::ReceiverConfig second;
    second.address = kSecondReceiver;
    second.baud = kSpeeds.at(static_cast<std::size_t>(Pick(m_random, 2)));
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

std::string ChaosLine::HangUp()
{
    ++m_hangUps;
    ++m_faults;
    m_sim.reset();
    BringUp();
    return "line: hang-up, new pty " + SlavePath().toStdString();
}

std::string ChaosLine::Misbehave()
{
    ++m_faults;
    switch (Pick(m_random, 20)) {
    case 0:
        --m_faults; // HangUp counts itself
        return HangUp();
    case 1:
    case 2:
    case 3:
        return ChangeSpeed();
    case 4:
    case 5:
        return Flood();
    case 6:
    case 7:
        return Noise();
    case 8:
    case 9:
        return Calm();
    default:
        return ToggleFault();
    }
}

std::string ChaosLine::ToggleFault()
{
    const int which = Pick(m_random, 7);
    const std::uint8_t address = Pick(m_random, 4) == 0 ? kSecondReceiver : kReceiver;
    std::string what;
    m_sim->updateReceiver(address, [&](zok::sim::ReceiverConfig &r) {
        zok::sim::Faults &f = r.faults;
        switch (which) {
        case 0:
            f.silent = !f.silent;
            what = f.silent ? "silent" : "not silent";
            break;
        case 1:
            f.losePercent = f.losePercent ? 0 : 10 + Pick(m_random, 80);
            what = "lose " + std::to_string(f.losePercent) + "%";
            break;
        case 2:
            f.lateMs = f.lateMs ? 0 : 50 + Pick(m_random, 2500);
            f.latePercent = 10 + Pick(m_random, 91);
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
            r.answerDelayMs = r.answerDelayMs ? 0 : Pick(m_random, 400);
            what = "answer delay " + std::to_string(r.answerDelayMs) + " ms";
            break;
        }
    });
    return "line: receiver " + std::to_string(address) + " " + what;
}

std::string ChaosLine::ChangeSpeed()
{
    const int baud = kSpeeds.at(static_cast<std::size_t>(Pick(m_random, static_cast<int>(kSpeeds.size()))));
    const std::uint8_t address = Pick(m_random, 4) == 0 ? kSecondReceiver : kReceiver;
    m_sim->updateReceiver(address, [&](zok::sim::ReceiverConfig &r) { r.baud = baud; });
    return "line: receiver " + std::to_string(address) + " speed " + std::to_string(baud);
}

std::string ChaosLine::Flood()
{
    const bool on = Pick(m_random, 2) == 0;
    const double rate = on ? 20.0 + Pick(m_random, 480) : 0.0;
    m_sim->updateReceiver(kReceiver, [&](zok::sim::ReceiverConfig &r) {
        r.tags = on ? std::vector<std::string>{"12AB34", "00FF00", "ABCDEF"} : std::vector<std::string>{};
        r.tagRate = rate;
    });
    return on ? "line: tag flood " + std::to_string(static_cast<int>(rate)) + "/s" : "line: tag flood off";
}

std::string ChaosLine::Noise()
{
    static constexpr std::array<const char *, 6> kBursts = {
        "[", "]]]][[[[", "[0101\x01\xff]", "[VE v99.99.99]", "[OK130001][OK130001][OK130001]", "[9901zz]"};
    std::string bytes =
        kBursts.at(static_cast<std::size_t>(Pick(m_random, static_cast<int>(kBursts.size()))));
    if (Pick(m_random, 3) == 0)
        bytes += std::string(static_cast<std::size_t>(1000 + Pick(m_random, 6000)), 'A');
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
