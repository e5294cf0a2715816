#include "CZOKPropertySheet.h"
#include "CZOKProperties.h"
#include "EIconTextButtonProperty.h"
#include "EPropList.h"
#include "EPropPage.h"
#include "EProperty.h"
#include "EPropertyCombo.h"
#include "EPropertyInt.h"
#include "ParameterTable.h"
#include "ParameterText.h"
#include "SheetRowOrder.h"
#include "ZokText.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <vector>

using P = ParameterId;

namespace {

constexpr int kUnsupportedHelp = 153;

class SheetTest : public testing::Test
{
protected:
    void SetUp() override { zok::SelectLanguage(zok::Language::English); }

    // Builds the page as the grid does on every refresh.
    void Build(std::uint32_t mask, CZOKFirmwareVersion firmware = {})
    {
        m_model.SetSupportedMask(mask);
        m_model.SetFirmwareVersion(firmware.Major, firmware.Minor, firmware.Build);
        m_list.Clear();
        m_sheet.GetProperties(m_list);
    }

    EProperty *RowOf(P id) const
    {
        for (int i = 0; i < m_list.RowCount(); ++i)
            if (m_list.Row(i)->Value() == memberOf(id))
                return m_list.Row(i);
        return nullptr;
    }

    QString Comment(P id) const
    {
        QString comment;
        RowOf(id)->GetComment(comment);
        return comment;
    }

    QStringList ChoiceTexts(P id) const { return dynamic_cast<EPropertyCombo *>(RowOf(id))->ItemTexts(); }

    // What a choice row shows for the member holding `value`.
    QString Shown(P id, int value)
    {
        m_model.SetValue(id, value);
        QString text;
        dynamic_cast<EPropertyCombo *>(RowOf(id))->GetTextValue(text);
        return text;
    }

    const void *memberOf(P id) const
    {
        auto &model = const_cast<CZOKProperties &>(m_model);
        if (auto *byte = model.ByteMember(id))
            return byte;
        return model.ChoiceMember(id);
    }

    static QStringList Texts(std::initializer_list<int> ids)
    {
        QStringList texts;
        for (int id : ids)
            texts << zok::Text(id);
        return texts;
    }

    CZOKProperties m_model;
    CZOKPropertySheet m_sheet{m_model};
    EPropList m_list;
};

} // namespace

TEST_F(SheetTest, BeforeTheFirstReadEveryRowIsEditableWithItsHelpAndDefault)
{
    Build(zok::AllParametersMask());
    ASSERT_EQ(m_list.PageCount(), 1);
    EXPECT_EQ(m_list.CurrentPage()->Name(), "Receiver Parameters");
    EXPECT_EQ(m_list.CurrentPage()->Image(), -1);
    EXPECT_TRUE(m_list.HasNamedPages());
    ASSERT_EQ(m_list.RowCount(), 22);
    const auto order = zok::SheetRowOrder();
    for (int i = 0; i < 22; ++i) {
        const auto &info = zok::Parameter(order[static_cast<std::size_t>(i)]);
        EProperty *row = m_list.Row(i);
        EXPECT_EQ(row->Name(), zok::Text(info.NameTextId)) << info.Key;
        EXPECT_EQ(row->Value(), memberOf(info.Id)) << info.Key;
        EXPECT_TRUE(row->IsEnabled()) << info.Key;
        EXPECT_EQ(Comment(info.Id), zok::Text(info.HelpTextId)) << info.Key;
        EXPECT_EQ(m_model.Value(info.Id), info.DefaultValue) << info.Key;
    }
    EXPECT_EQ(m_list.Row(2)->Name(), "Output Type");
    EXPECT_EQ(m_list.Row(4)->Name(), "Time delay before signaling the tag is out of range (seconds)");
}

TEST_F(SheetTest, IntegerRowsAreUnsignedBytesAndOnlyTheTagMinimumHasARange)
{
    Build(zok::AllParametersMask());
    for (const auto &info : zok::Parameters()) {
        auto *row = dynamic_cast<EPropertyInt *>(RowOf(info.Id));
        EXPECT_EQ(row != nullptr, info.Kind == ParameterKind::Byte) << info.Key;
        if (row == nullptr)
            continue;
        EXPECT_EQ(row->Size(), 1) << info.Key;
        EXPECT_FALSE(row->IsSigned()) << info.Key;
        const bool ranged = info.Id == P::RX_NB_TAGS_MIN;
        EXPECT_EQ(row->Minimum(), ranged ? 1 : 0) << info.Key;
        EXPECT_EQ(row->Maximum(), ranged ? 20 : 0) << info.Key;
    }
}

TEST_F(SheetTest, EditsAreStoredInTheModelAtOnce)
{
    Build(zok::AllParametersMask());
    auto *bitLength = dynamic_cast<EPropertyInt *>(RowOf(P::RX_LONG_BIT_RW));
    EXPECT_TRUE(bitLength->SetValue(200));
    EXPECT_EQ(m_model.Value(P::RX_LONG_BIT_RW), 200);
    EXPECT_TRUE(m_sheet.PropertyChanging(memberOf(P::RX_VITESSE), nullptr));
    EXPECT_TRUE(m_sheet.IsPropertyEnabled(memberOf(P::RX_VITESSE)));
}

TEST_F(SheetTest, Firmware1349KeepsTheRelaySwitchButNotTheStackOptions)
{
    m_model.SetValue(P::RX_VITESSE_RW, 1);
    m_model.SetValue(P::RX_CMD_DIRECTE_RELAIS, 1);
    m_model.SetValue(P::RX_FILTRAGE_TEMP, 1);
    m_model.SetValue(P::RX_REMPLACE_FAIBLE, 1);
    m_model.SetValue(P::RX_NB_TAGS_MIN, 9);
    Build(zok::AllParametersMask(), {13, 4, 9});

    const std::set<P> disabled = {P::RX_FILTRAGE_TEMP, P::RX_EFFACER_PILE, P::RX_REMPLACE_FAIBLE,
                                  P::RX_NB_TAGS_MIN};
    for (const auto &info : zok::Parameters()) {
        const bool editable = !disabled.contains(info.Id);
        EXPECT_EQ(RowOf(info.Id)->IsEnabled(), editable) << info.Key;
        EXPECT_EQ(Comment(info.Id), zok::Text(editable ? info.HelpTextId : kUnsupportedHelp)) << info.Key;
    }
    EXPECT_EQ(m_model.Value(P::RX_VITESSE_RW), 1);
    EXPECT_EQ(m_model.Value(P::RX_CMD_DIRECTE_RELAIS), 1);
    EXPECT_EQ(m_model.Value(P::RX_FILTRAGE_TEMP), 0);
    EXPECT_EQ(m_model.Value(P::RX_REMPLACE_FAIBLE), 0);
    EXPECT_EQ(m_model.Value(P::RX_NB_TAGS_MIN), 1);
}

TEST_F(SheetTest, Firmware1321DisablesTheRegister22RowsEvenWhenAnswered)
{
    m_model.SetValue(P::RX_LONG_CRC, 1);
    Build(zok::AllParametersMask(), {13, 2, 1});
    for (const P id : {P::RX_VITESSE_RW, P::RX_LONG_CRC, P::RX_CMD_DIRECTE_RELAIS, P::RX_FILTRAGE_TEMP}) {
        EXPECT_FALSE(RowOf(id)->IsEnabled()) << zok::Parameter(id).Key;
        EXPECT_EQ(Comment(id), "Unsupported parameter for this version.");
    }
    EXPECT_EQ(m_model.Value(P::RX_LONG_CRC), 0);
    EXPECT_TRUE(RowOf(P::RX_LONG_BIT_RW)->IsEnabled());
    Build(zok::AllParametersMask(), {13, 2, 2});
    EXPECT_TRUE(RowOf(P::RX_VITESSE_RW)->IsEnabled());
    EXPECT_TRUE(RowOf(P::RX_LONG_CRC)->IsEnabled());
    EXPECT_FALSE(RowOf(P::RX_CMD_DIRECTE_RELAIS)->IsEnabled());
}

TEST_F(SheetTest, SpeedAndReceptionChoicesFollowTheFirmware)
{
    const QStringList twoSpeeds = Texts({157, 158});
    const QStringList fiveSpeeds = Texts({157, 158, 221, 222, 223});
    const QStringList olderReception = Texts({179, 180, 181, 182});
    const QStringList newerReception = Texts({179, 220});
    struct Case
    {
        CZOKFirmwareVersion Firmware;
        QStringList Speeds, Reception;
        QString ShownFor3, ShownFor4;
    } cases[] = {
        {{19, 9, 9}, twoSpeeds, olderReception, zok::Text(182), "N/A"},
        {{20, 0, 0}, fiveSpeeds, newerReception, "N/A", zok::Text(220)},
        {{0, 0, 0}, fiveSpeeds, newerReception, "N/A", zok::Text(220)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.Firmware.Major << '.' << c.Firmware.Minor << '.' << c.Firmware.Build);
        Build(zok::AllParametersMask(), c.Firmware);
        EXPECT_EQ(ChoiceTexts(P::RX_VITESSE), c.Speeds);
        EXPECT_EQ(ChoiceTexts(P::RX_INTREC), c.Reception);
        EXPECT_EQ(Shown(P::RX_INTREC, 0), zok::Text(179));
        EXPECT_EQ(Shown(P::RX_INTREC, 3), c.ShownFor3);
        EXPECT_EQ(Shown(P::RX_INTREC, 4), c.ShownFor4);
    }
}

TEST_F(SheetTest, AReceiverWithoutThresholdAnswerShows255Disabled)
{
    Build(zok::AllParametersMask() & ~zok::Parameter(P::RX_SENSIBILITY).MaskBit, {20, 1, 0});
    EXPECT_FALSE(RowOf(P::RX_SENSIBILITY)->IsEnabled());
    EXPECT_EQ(m_model.Value(P::RX_SENSIBILITY), 255);
    EXPECT_EQ(Comment(P::RX_SENSIBILITY), zok::Text(kUnsupportedHelp));
    EXPECT_TRUE(RowOf(P::RX_MODE_FCT)->IsEnabled());
}

TEST_F(SheetTest, AReadWithoutAnyAnswerDisablesEveryRowAtItsFixedValue)
{
    for (const auto &info : zok::Parameters())
        m_model.SetValue(info.Id, 2);
    Build(0);
    ASSERT_EQ(m_list.RowCount(), 22);
    for (const auto &info : zok::Parameters()) {
        EXPECT_FALSE(RowOf(info.Id)->IsEnabled()) << info.Key;
        EXPECT_EQ(Comment(info.Id), zok::Text(kUnsupportedHelp)) << info.Key;
        EXPECT_EQ(m_model.Value(info.Id), info.UnsupportedValue) << info.Key;
    }
    EXPECT_EQ(m_model.Value(P::RX_DELTAT_CADENCE), 60);
    EXPECT_EQ(m_model.Value(P::RX_LONG_BIT_RW), 167);
}

TEST_F(SheetTest, AppendedRowsAreTheFirstSevenEditableWithoutSupportChecks)
{
    m_model.SetSupportedMask(0);
    m_sheet.AppendProperties(m_list);
    ASSERT_EQ(m_list.PageCount(), 1);
    EXPECT_EQ(m_list.CurrentPage()->Name(), "Receiver Parameters");
    ASSERT_EQ(m_list.RowCount(), 7);
    for (int i = 0; i < 7; ++i) {
        const auto &info = zok::Parameter(zok::SheetRowOrder()[static_cast<std::size_t>(i)]);
        EXPECT_EQ(m_list.Row(i)->Value(), memberOf(info.Id)) << info.Key;
        EXPECT_TRUE(m_list.Row(i)->IsEnabled()) << info.Key;
        EXPECT_EQ(Comment(info.Id), zok::Text(info.HelpTextId)) << info.Key;
    }
    EXPECT_EQ(ChoiceTexts(P::RX_MODE_FCT), Texts({108, 109, 110}));
    EXPECT_EQ(ChoiceTexts(P::RX_OUTPUT), Texts({113, 114, 115, 152}));
    EXPECT_EQ(m_model.Value(P::RX_SENSIBILITY), 254);
}

TEST_F(SheetTest, TextsFollowTheChosenLanguage)
{
    zok::SelectLanguage(zok::Language::French);
    Build(0);
    EXPECT_EQ(m_list.CurrentPage()->Name(), QString::fromUtf8("Paramètres Lecteur"));
    EXPECT_EQ(Comment(P::RX_VITESSE), QString::fromUtf8("Paramètre non disponible pour cette version."));
    EXPECT_EQ(RowOf(P::RX_MODE_FCT)->Name(), "Mode de Fonctionnement");
}

// Front ends without the grid list the values with ParameterDisplayText: it must read exactly as
// the grid's value column, for every value, old and new firmware, and in both languages.
TEST_F(SheetTest, DisplayTextsWithoutTheGridMatchTheGridsValueColumn)
{
    for (const auto language : {zok::Language::English, zok::Language::French}) {
        zok::SelectLanguage(language);
        for (const CZOKFirmwareVersion firmware : {CZOKFirmwareVersion{}, CZOKFirmwareVersion{13, 2, 1}}) {
            Build(zok::AllParametersMask(), firmware);
            for (const auto &info : zok::Parameters()) {
                for (int value = -1; value <= 255; ++value) {
                    m_model.SetValue(info.Id, value);
                    QString shown;
                    dynamic_cast<EIconTextButtonProperty &>(*RowOf(info.Id)).GetTextValue(shown);
                    ASSERT_EQ(zok::ParameterDisplayText(m_model, info.Id), shown) << info.Key << " " << value;
                }
            }
        }
    }
}
