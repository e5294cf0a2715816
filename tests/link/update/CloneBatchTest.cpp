// A parameter file cloned to every receiver of a simulated line: results, CSV, what is restored,
// a receiver that stops answering, and Cancel.
#include "CCloneBatch.h"
#include "LineText.h"
#include "UpdateHarness.h"

namespace {

using zok::CloneResult;

class CloneBatchTest : public EngineHarness
{
protected:
    // Three receivers at other settings: 01 factory-set, 05 already at the file's values with a
    // version text that needs quoting, 0A factory-set.
    void StartLine()
    {
        zok::sim::SimulatorConfig config;
        config.receivers.push_back(ReceiverAt(0x05));
        config.receivers[1].firmware = " v20.1.0, site B";
        config.receivers[1].registers[0x0B] = 0x80;
        config.receivers[1].registers[0x03] = 0x03;
        config.receivers.push_back(ReceiverAt(0x0A));
        Start(config, 0x33, ShortTimeouts());
        batch = std::make_unique<zok::CCloneBatch>(
            *engine, model, [this](std::uint8_t address) { settings.address = address; }, 0x33);
    }
    bool AwaitEnd()
    {
        return WaitFor([&] { return !batch->Running(); });
    }
    std::vector<std::string> ReadsOf(const std::string &address) const
    {
        std::vector<std::string> reads;
        for (const auto &text : SentTexts())
            if (text == "9900" + address)
                reads.push_back(text);
        return reads;
    }

    const TestFile file{{ParameterId::RX_SENSIBILITY, 0x80}, {ParameterId::RX_OUTPUT, 2}};
    std::unique_ptr<zok::CCloneBatch> batch;
};

TEST_F(CloneBatchTest, ClonesEveryReceiverReportsTheSilentOneAndRestoresTheWindow)
{
    StartLine();
    model.SetValue(ParameterId::RX_SENSIBILITY, 0x42);
    engine->SetPropertiesModified(true);
    // 0A answers the scan, then loses its power.
    QObject::connect(batch.get(), &zok::CCloneBatch::ScanFinished, batch.get(), [&] {
        sim->updateReceiver(0x0A, [](zok::sim::ReceiverConfig &r) { r.faults.silent = true; });
    });
    batch->Start(file.values, file.keys);
    ASSERT_TRUE(AwaitEnd());

    const auto &results = batch->Results();
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0].Result, CloneResult::Outcome::Verified);
    EXPECT_EQ(results[1].Result, CloneResult::Outcome::Identical);
    EXPECT_EQ(results[2].Result, CloneResult::Outcome::Failed);
    EXPECT_EQ(sim->registerValue(0x01, 0x0B), 0x80);
    EXPECT_EQ(sim->registerValue(0x01, 0x03), 0x03);
    // The file as Save as CSV writes it, byte-order mark first (zok-cli clone writes the same).
    const zok::test::TempDir dir;
    ASSERT_TRUE(zok::SaveCloneCsv(QString::fromStdString(dir.file("result.csv")), results));
    EXPECT_EQ(zok::test::ReadBytes(dir.file("result.csv")),
              zok::test::ReadBytes(ZOK_SOURCE_DIR "/tests/link/update/clone-three-receivers.csv"));
    EXPECT_EQ(batch->SummaryText(), QStringLiteral("3 receiver(s) found, 2 verified."));

    // The window is as before: receiver, model, modified flag, warning choice, port speed.
    EXPECT_EQ(settings.address, 0x33);
    EXPECT_EQ(model.Value(ParameterId::RX_SENSIBILITY), 0x42);
    EXPECT_TRUE(engine->PropertiesModified());
    EXPECT_FALSE(engine->DontShowSpeedWarning());
    EXPECT_EQ(view.warnings, 0);
    EXPECT_EQ(sim->lineBaud(), 9600);
    EXPECT_EQ(engine->State(), ExchangeState::Idle);
    EXPECT_EQ(engine->Monitor(MonitorKind::ReceiverScan), nullptr);
}

TEST_F(CloneBatchTest, CancelStopsAfterTheReceiverInProgress)
{
    StartLine();
    QObject::connect(batch.get(), &zok::CCloneBatch::ReceiverStarted, batch.get(), [&](int index) {
        if (index == 0)
            batch->Cancel();
    });
    batch->Start(file.values, file.keys);
    ASSERT_TRUE(AwaitEnd());

    const auto &results = batch->Results();
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0].Result, CloneResult::Outcome::Verified);
    EXPECT_EQ(results[1].Result, CloneResult::Outcome::Cancelled);
    EXPECT_EQ(results[2].Result, CloneResult::Outcome::Cancelled);
    EXPECT_EQ(results[2].ResultText(), zok::Text(275));
    EXPECT_EQ(ReadsOf("01").size(), 2u); // read and read-back
    EXPECT_TRUE(ReadsOf("05").empty());
    EXPECT_EQ(sim->registerValue(0x0A, 0x0B), 0xFE);
    EXPECT_EQ(settings.address, 0x33);
}

// With speed configuration on, each receiver's new speed is written and verified at that speed;
// the next one is reached at the scan's speed again. The line stays at the new speed only when
// every receiver found took it; otherwise the row and the summary say who listens elsewhere.
TEST_F(CloneBatchTest, ThePortKeepsANewSpeedOnlyWhenEveryReceiverVerifiedIt)
{
    const TestFile faster({{ParameterId::RX_VITESSE, 1}});
    for (const bool secondFails : {false, true}) {
        SCOPED_TRACE(secondFails ? "second silent" : "both answer");
        view = RecordingView();
        model = CZOKProperties(); // the port opens at the model's speed
        zok::sim::SimulatorConfig config;
        config.receivers.push_back(ReceiverAt(0x02));
        Start(config, 0x01, ShortTimeouts());
        engine->ToggleSpeedConfiguration();
        batch = std::make_unique<zok::CCloneBatch>(
            *engine, model, [this](std::uint8_t address) { settings.address = address; }, 0x01);
        if (secondFails)
            QObject::connect(batch.get(), &zok::CCloneBatch::ScanFinished, batch.get(), [&] {
                sim->updateReceiver(0x02, [](zok::sim::ReceiverConfig &r) { r.faults.silent = true; });
            });
        batch->Start(faster.values, faster.keys);
        ASSERT_TRUE(AwaitEnd());

        ASSERT_EQ(batch->Results().size(), 2u);
        EXPECT_EQ(batch->Results()[0].Result, CloneResult::Outcome::Verified);
        EXPECT_TRUE(batch->Results()[0].SpeedChanged);
        EXPECT_EQ(sim->receiver(0x01)->baud, 19200);
        EXPECT_EQ(sim->lineBaud(), secondFails ? 9600 : 19200);
        EXPECT_EQ(model.Value(ParameterId::RX_VITESSE), secondFails ? 0 : 1);
        EXPECT_EQ(batch->Results()[0].SpeedText(), secondFails ? QStringLiteral("19200") : QString());
        EXPECT_EQ(batch->SummaryText().contains(FillText(277, {QStringLiteral("19200")})), !secondFails);
        EXPECT_EQ(batch->SummaryText().contains(QStringLiteral("9600 baud: 01 at 19200 baud.")), secondFails);
        batch.reset();
        TearDown();
    }
}

// Without speed configuration a different speed cannot be written: the receiver is not counted as
// verified, and its row says what is left and why.
TEST_F(CloneBatchTest, ASpeedThatCouldNotBeWrittenIsADifferenceLeft)
{
    const TestFile faster({{ParameterId::RX_VITESSE, 1}, {ParameterId::RX_SENSIBILITY, 0x80}});
    Start({}, 0x01, ShortTimeouts());
    batch = std::make_unique<zok::CCloneBatch>(
        *engine, model, [this](std::uint8_t address) { settings.address = address; }, 0x01);
    batch->Start(faster.values, faster.keys);
    ASSERT_TRUE(AwaitEnd());

    ASSERT_EQ(batch->Results().size(), 1u);
    EXPECT_EQ(batch->Results()[0].Result, CloneResult::Outcome::DifferencesLeft);
    EXPECT_EQ(batch->Results()[0].ResultText(),
              QStringLiteral("Verified, 1 difference(s) left (RS232 communication speed: speed "
                             "configuration disabled)"));
    EXPECT_EQ(batch->SummaryText(),
              QStringLiteral("1 receiver(s) found, 0 verified. 1 with differences left."));
    EXPECT_EQ(sim->registerValue(0x01, 0x0B), 0x80);
}

// The clone puts the window's model back; a receiver it wrote to must not look read with the
// values it held before. Written: read again, the grid shows what it holds. Not written: the
// next compare reads first.
TEST_F(CloneBatchTest, AfterACloneTheModelNeverPassesForWhatTheSelectedReceiverHolds)
{
    for (const int sensitivity : {0x80, 0xFE}) {
        SCOPED_TRACE(sensitivity);
        const TestFile site({{ParameterId::RX_SENSIBILITY, sensitivity}});
        model = CZOKProperties();
        Start({}, 0x01, ShortTimeouts());
        engine->ReadParameters();
        ASSERT_TRUE(WaitFor([&] { return engine->ReadSinceOpen(); }));
        model.SetValue(ParameterId::RX_SENSIBILITY, 0x42); // a grid edit, not written
        engine->SetPropertiesModified(true);
        batch = std::make_unique<zok::CCloneBatch>(
            *engine, model, [this](std::uint8_t address) { settings.address = address; }, 0x01);
        batch->Start(site.values, site.keys);
        ASSERT_TRUE(AwaitEnd());

        const bool written = sensitivity != 0xFE;
        EXPECT_EQ(engine->ReadSinceOpen(), written);
        EXPECT_EQ(model.Value(ParameterId::RX_SENSIBILITY), written ? 0x80 : 0x42);
        EXPECT_EQ(engine->PropertiesModified(), !written);
        batch.reset();
        TearDown();
    }
}

} // namespace
