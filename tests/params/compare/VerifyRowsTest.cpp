#include "CZOKProperties.h"
#include "CompareTexts.h"
#include "FileComparison.h"
#include "ParameterTable.h"
#include "ZokText.h"

#include <gtest/gtest.h>

using P = ParameterId;
using zok::VerifyStatus;

namespace {

std::uint32_t Bit(P id)
{
    return zok::Parameter(id).MaskBit;
}

VerifyStatus VerifyOf(const std::vector<zok::CompareRow> &rows, P id)
{
    for (const auto &row : rows) {
        if (row.Id == id)
            return row.Verify;
    }
    return VerifyStatus::NotWritten;
}

class VerifyRowsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        zok::SelectLanguage(zok::Language::English);
        m_receiver.SetSupportedMask(zok::AllParametersMask());
        m_file = m_receiver;
        m_file.SetValue(P::RX_SENSIBILITY, 0x80);
        m_file.SetValue(P::RX_MODE_FCT, 2);
        m_file.SetValue(P::RX_LONG_CRC, 1);
        m_file.SetValue(P::RX_TM_REPONSE, 9);
        m_rows = zok::CompareParameters(m_file, zok::AllParametersMask(), m_receiver, false);
        // The user leaves RX_TM_REPONSE out.
        for (auto &row : m_rows) {
            if (row.Id == P::RX_TM_REPONSE)
                zok::SetTicked(row, false);
        }
    }

    CZOKProperties m_receiver;
    CZOKProperties m_file;
    std::vector<zok::CompareRow> m_rows;
};

} // namespace

TEST_F(VerifyRowsTest, ComparesTheReadBackBytesOfTheTickedRows)
{
    ASSERT_EQ(zok::CountTicked(m_rows), 3);
    CZOKProperties readBack = m_receiver;
    readBack.SetValue(P::RX_SENSIBILITY, 0x80); // took
    readBack.SetValue(P::RX_LONG_CRC, 0);       // acknowledged but kept its value
    const auto acknowledged = Bit(P::RX_SENSIBILITY) | Bit(P::RX_LONG_CRC);
    zok::VerifyRows(m_rows, acknowledged, readBack);
    EXPECT_EQ(VerifyOf(m_rows, P::RX_SENSIBILITY), VerifyStatus::Verified);
    EXPECT_EQ(VerifyOf(m_rows, P::RX_MODE_FCT), VerifyStatus::NotAcknowledged);
    EXPECT_EQ(VerifyOf(m_rows, P::RX_LONG_CRC), VerifyStatus::StillDifferent);
    EXPECT_EQ(VerifyOf(m_rows, P::RX_TM_REPONSE), VerifyStatus::NotWritten);
    EXPECT_EQ(zok::CountVerify(m_rows, VerifyStatus::Verified), 1);
    EXPECT_EQ(zok::VerifyStatusText(VerifyStatus::StillDifferent), zok::Text(248));
    EXPECT_TRUE(zok::VerifyStatusText(VerifyStatus::NotWritten).isEmpty());
    // The receiver side now shows the read-back; the ticks stay.
    for (const auto &row : m_rows) {
        if (row.Id == P::RX_SENSIBILITY) {
            EXPECT_EQ(row.Status, zok::CompareStatus::Same);
            EXPECT_EQ(row.ReceiverText, "128");
            EXPECT_TRUE(row.Ticked);
        }
    }
}

TEST_F(VerifyRowsTest, AParameterMissingFromTheReadBackIsNotVerified)
{
    CZOKProperties readBack = m_file;
    readBack.SetSupportedMask(zok::AllParametersMask() & ~Bit(P::RX_SENSIBILITY));
    zok::VerifyRows(m_rows, zok::AllParametersMask(), readBack);
    EXPECT_EQ(VerifyOf(m_rows, P::RX_SENSIBILITY), VerifyStatus::NotReadBack);
    EXPECT_EQ(VerifyOf(m_rows, P::RX_MODE_FCT), VerifyStatus::Verified);
    EXPECT_EQ(VerifyOf(m_rows, P::RX_LONG_CRC), VerifyStatus::Verified);
}
