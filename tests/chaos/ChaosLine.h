#pragma once

#include "ChaosDecisions.h"
#include "Simulator.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <string>

// The faulty line: one in-process simulator on a pseudo-terminal, reached through a symbolic
// link that stays the port name across hang-ups. Misbehaves as its draws say (a generator's, or
// a record's on replay): faults on and off, speed changes, tag floods, noise, and hang-ups after
// which a new pseudo-terminal comes up behind the same link.
class ChaosLine
{
public:
    ChaosLine(const QString &linkPath, chaos::Draws &draws);
    ~ChaosLine();
    ChaosLine(const ChaosLine &) = delete;
    ChaosLine &operator=(const ChaosLine &) = delete;

    // One misbehaviour; returns what it did, for the action log.
    std::string Misbehave(chaos::Draws &draws);

    QString LinkPath() const { return m_link; }
    // The path of the pseudo-terminal now behind the link (empty while down).
    QString SlavePath() const;
    int HangUps() const { return m_hangUps; }
    std::uint64_t Faults() const { return m_faults; }

private:
    void BringUp(chaos::Draws &draws);
    // The pseudo-terminal goes away (the program's port hangs up) and a new one comes up.
    std::string HangUp(chaos::Draws &draws);
    // The line back to a well-behaved receiver, so that exchanges can end normally.
    std::string Calm();
    std::string ToggleFault(chaos::Draws &draws);
    std::string ChangeSpeed(chaos::Draws &draws);
    std::string Flood(chaos::Draws &draws);
    std::string Noise(chaos::Draws &draws);

    const QString m_link;
    std::unique_ptr<zok::sim::Simulator> m_sim;
    int m_hangUps = 0;
    std::uint64_t m_faults = 0;
};
