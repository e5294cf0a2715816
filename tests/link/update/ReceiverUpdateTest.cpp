// One receiver brought to a parameter file through the engine, against the receiver simulator:
// the comparison's statuses, the restricted write and its verification, and faulty receivers.
#include "CReceiverUpdate.h"
#include "CompareTexts.h"
#include "UpdateHarness.h"

namespace {

using zok::CompareStatus;
using zok::UpdateStep;
using zok::VerifyStatus;

class ReceiverUpdateTest : public EngineHarness
{
protected:
    std::unique_ptr<zok::CReceiverUpdate> MakeUpdate(const TestFile &file)
    {
        return std::make_unique<zok::CReceiverUpdate>(*engine, model, file.values, file.keys);
    }
    bool Await(zok::CReceiverUpdate &update, UpdateStep step)
    {
        return WaitFor([&] { return update.Step() == step; });
    }
};

TEST_F(ReceiverUpdateTest, CompareGivesEachStatusByFirmwareAndReport)
{
    zok::sim::SimulatorConfig config;
    config.receivers[0].firmware = " v13.2.1";
    config.receivers.push_back(ReceiverAt(0x02));
    config.receivers[1].supported = {0x0B, 0x01, 0x05, 0x03, 0x10, 0x07, 0xC0};
    Start(config);
    const TestFile file({{ParameterId::RX_SENSIBILITY, 0x80}, {ParameterId::RX_MODE_FCT, 2}},
                        "RX_NB_TAGS_MIN");

    auto update = MakeUpdate(file);
    update->Start(true);
    ASSERT_TRUE(Await(*update, UpdateStep::Compared));
    const auto &rows = update->Rows();
    ASSERT_EQ(rows.size(), 22u);
    const auto &mode = RowOf(rows, ParameterId::RX_MODE_FCT);
    EXPECT_EQ(mode.Status, CompareStatus::Differs);
    EXPECT_EQ(mode.FileText, zok::Text(110)); // choice texts, as the grid shows them
    EXPECT_EQ(mode.ReceiverText, zok::Text(108));
    EXPECT_TRUE(mode.Ticked);
    EXPECT_EQ(RowOf(rows, ParameterId::RX_SENSIBILITY).FileText, QStringLiteral("128"));
    EXPECT_EQ(RowOf(rows, ParameterId::RX_TIMEOUT).Status, CompareStatus::Same);
    EXPECT_FALSE(RowOf(rows, ParameterId::RX_TIMEOUT).Ticked);
    EXPECT_EQ(RowOf(rows, ParameterId::RX_LONG_CRC).Status, CompareStatus::NotSupported); // 13.2.2 on
    EXPECT_FALSE(RowOf(rows, ParameterId::RX_LONG_CRC).Tickable);
    EXPECT_EQ(RowOf(rows, ParameterId::RX_NB_TAGS_MIN).Status, CompareStatus::NotInFile);
    // The speed is the same here, but could not be ticked anyway, and the row says why.
    const auto &speed = RowOf(rows, ParameterId::RX_VITESSE);
    EXPECT_FALSE(speed.Tickable);
    EXPECT_TRUE(zok::RowStatusText(speed).contains(zok::Text(251)));
    EXPECT_EQ(update->Firmware(), QStringLiteral(" v13.2.1"));

    // A receiver that reports only the required parameters; its firmware allows everything.
    settings.address = 0x02;
    update = MakeUpdate(file);
    update->Start(true);
    ASSERT_TRUE(Await(*update, UpdateStep::Compared));
    EXPECT_EQ(RowOf(update->Rows(), ParameterId::RX_FORMAT).Status, CompareStatus::NotReported);
    EXPECT_EQ(RowOf(update->Rows(), ParameterId::RX_FORMAT).ReceiverText, QString());
    EXPECT_EQ(RowOf(update->Rows(), ParameterId::RX_SENSIBILITY).Status, CompareStatus::Differs);
    EXPECT_EQ(update->FailedStep(), UpdateStep::NotStarted);
}

TEST_F(ReceiverUpdateTest, WriteTickedSendsOnlyTheTickedRegistersAndVerifiesThem)
{
    Start();
    const TestFile file({{ParameterId::RX_SENSIBILITY, 0x80},
                         {ParameterId::RX_TIMEOUT, 9},
                         {ParameterId::RX_LONG_CRC, 1},
                         {ParameterId::RX_NB_TAGS_MIN, 5}});
    auto update = MakeUpdate(file);
    update->Start(true);
    ASSERT_TRUE(Await(*update, UpdateStep::Compared));
    EXPECT_EQ(zok::CountTicked(update->Rows()), 4);
    auto &timeout = *std::ranges::find(update->Rows(), ParameterId::RX_TIMEOUT, &zok::CompareRow::Id);
    ASSERT_TRUE(zok::SetTicked(timeout, false));
    sim->clearRecords();

    update->WriteTicked();
    ASSERT_TRUE(Await(*update, UpdateStep::Done));
    // Register 22 carries RX_LONG_CRC with the receiver's own other switches; then the full read.
    EXPECT_EQ(SentTexts(), (std::vector<std::string>{"0C8001", "230201", "270501", "990001"}));
    EXPECT_EQ(view.warnings, 1); // the write's own speed warning, as for Write
    EXPECT_TRUE(update->Succeeded());
    EXPECT_EQ(update->WrittenCount(), 3);
    EXPECT_EQ(zok::CountVerify(update->Rows(), VerifyStatus::Verified), 3);
    EXPECT_EQ(RowOf(update->Rows(), ParameterId::RX_TIMEOUT).Verify, VerifyStatus::NotWritten);
    EXPECT_EQ(RowOf(update->Rows(), ParameterId::RX_TIMEOUT).Status, CompareStatus::Differs);
    EXPECT_EQ(RowOf(update->Rows(), ParameterId::RX_SENSIBILITY).Status, CompareStatus::Same);
    // The model holds the read-back, the grid was rebuilt from it, and nothing counts as edited.
    EXPECT_EQ(model.Value(ParameterId::RX_SENSIBILITY), 0x80);
    EXPECT_EQ(model.Value(ParameterId::RX_TIMEOUT), 6);
    EXPECT_FALSE(engine->PropertiesModified());
    EXPECT_EQ(engine->State(), ExchangeState::Idle);
}

// A receiver that stops answering, or whose answers are all lost, once compared.
TEST_F(ReceiverUpdateTest, UnansweredWritesEndNotAcknowledgedAndRestoreTheLastRead)
{
    for (const bool silent : {true, false}) {
        SCOPED_TRACE(silent ? "silent" : "lose 100");
        view = RecordingView();
        Start({}, 0x01, ShortTimeouts());
        engine->SetDontShowSpeedWarning(true);
        const TestFile file({{ParameterId::RX_SENSIBILITY, 0x80}, {ParameterId::RX_TIMEOUT, 9}});
        auto update = MakeUpdate(file);
        update->Start(true);
        ASSERT_TRUE(Await(*update, UpdateStep::Compared));
        sim->updateReceiver(0x01, [silent](zok::sim::ReceiverConfig &r) {
            r.faults.silent = silent;
            r.faults.losePercent = silent ? 0 : 100;
        });
        sim->clearRecords();
        update->WriteTicked();
        ASSERT_TRUE(Await(*update, UpdateStep::Done));

        EXPECT_EQ(update->FailedStep(), UpdateStep::Writing);
        EXPECT_EQ(update->FailureText(), zok::Text(kTextWriteError));
        EXPECT_EQ(update->WrittenCount(), 0);
        EXPECT_EQ(zok::CountVerify(update->Rows(), VerifyStatus::NotAcknowledged), 2);
        // The sequence stopped at its first write; the read-back was tried and failed.
        EXPECT_EQ(SentTexts(), (std::vector<std::string>{"0C8001", "990001"}));
        EXPECT_EQ(sim->registerValue(0x01, 0x0B), silent ? 0xFE : 0x80);
        EXPECT_EQ(model.Value(ParameterId::RX_SENSIBILITY), 0xFE);
        EXPECT_EQ(engine->State(), ExchangeState::Idle);
        TearDown();
    }
}

} // namespace
