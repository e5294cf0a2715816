#include "SelectedWrites.h"
#include "CZOKProperties.h"
#include "CZOKSyncSession.h"
#include "ParameterTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using P = ParameterId;

namespace {

std::uint32_t Bit(P id)
{
    return zok::Parameter(id).MaskBit;
}

std::vector<std::string> Commands(const std::vector<CZOKWriteAction> &writes)
{
    std::vector<std::string> commands;
    for (const auto &write : writes)
        commands.push_back(write.Command);
    return commands;
}

CZOKProperties AllSupported()
{
    CZOKProperties props;
    props.SetSupportedMask(zok::AllParametersMask());
    return props;
}

} // namespace

TEST(SelectedWrites, QueuesOnlyTheRegistersOfTheSelectedParametersInWriteOrder)
{
    auto props = AllSupported();
    props.SetValue(P::RX_SENSIBILITY, 0x80);
    props.SetValue(P::RX_VITESSE_RW, 1);
    props.SetValue(P::RX_LONG_CRC, 1);
    // One switch selected: register 22 still carries the other switches as the model holds them.
    const auto writes =
        zok::BuildSelectedWriteActions(props, 0x05, true, Bit(P::RX_LONG_CRC) | Bit(P::RX_SENSIBILITY));
    EXPECT_EQ(Commands(writes), (std::vector<std::string>{"[0C8005]", "[230305]"}));
    EXPECT_EQ(writes.back().ExpectedAnswer, "OK230305");
}

TEST(SelectedWrites, KeepsTheGuardsOfTheFullSequence)
{
    auto props = AllSupported();
    EXPECT_TRUE(zok::BuildSelectedWriteActions(props, 1, false, Bit(P::RX_VITESSE)).empty());
    EXPECT_EQ(zok::BuildSelectedWriteActions(props, 1, true, Bit(P::RX_VITESSE)).size(), 1U);
    props.SetSupportedMask(zok::AllParametersMask() & ~Bit(P::RX_TIMEOUT));
    EXPECT_TRUE(zok::BuildSelectedWriteActions(props, 1, true, Bit(P::RX_TIMEOUT)).empty());
    EXPECT_TRUE(zok::BuildSelectedWriteActions(props, 1, true, 0).empty());
}

TEST(SelectedWrites, AcknowledgedParametersFollowTheWriteIndex)
{
    const auto props = AllSupported();
    CZOKSyncSession session;
    for (const auto &write :
         zok::BuildSelectedWriteActions(props, 1, true, Bit(P::RX_SENSIBILITY) | Bit(P::RX_FILTRAGE_TEMP)))
        session.AddWriteAction(write);
    EXPECT_EQ(zok::AcknowledgedParameters(session), 0U);
    session.WriteIndex = 1;
    EXPECT_EQ(zok::AcknowledgedParameters(session), Bit(P::RX_SENSIBILITY));
    session.WriteIndex = 2;
    std::uint32_t switches = 0;
    for (const auto id : zok::SwitchParameters())
        switches |= Bit(id);
    EXPECT_EQ(zok::AcknowledgedParameters(session), Bit(P::RX_SENSIBILITY) | switches);
}
