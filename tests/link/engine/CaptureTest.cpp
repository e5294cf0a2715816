// The traffic capture: what the engine writes and receives, saved and read back, against the
// simulator's own record of the line.
#include "EngineHarness.h"

#include "TempDir.h"
#include "TrafficCaptureFile.h"

#include <QDateTime>
#include <QFile>
#include <QStringList>

#include <functional>

namespace {

using zok::CapturedFrame;
using zok::TrafficDirection;
using zok::TrafficMark;

// One frame line of a saved capture, split into its columns.
struct SavedLine
{
    QDateTime time;
    qint64 sinceLastMs = 0;
    QString direction;
    int baud = 0;
    QString rest; // the mark, if any, and the bytes
};

std::vector<SavedLine> SaveAndReadBack(const CZOKExchange &engine)
{
    zok::test::TempDir dir;
    const QString path = QString::fromStdString(dir.file("capture.txt"));
    EXPECT_EQ(zok::SaveTrafficCapture(path, engine.TrafficHeader("test"), engine.Capture()), QString());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    std::vector<SavedLine> lines;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        if (raw.isEmpty() || raw.startsWith('#'))
            continue;
        const QString line = QString::fromLatin1(raw);
        const QStringList columns = line.split(' ');
        EXPECT_GE(columns.size(), 5) << raw.toStdString();
        lines.push_back({QDateTime::fromString(columns[0], Qt::ISODateWithMs), columns[1].toLongLong(),
                         columns[2], columns[3].toInt(), line.section(' ', 4)});
    }
    return lines;
}

// The saved capture holds exactly the frames the simulator heard and sent, each direction in
// the simulator's order, with times that never go back and gaps that match them.
void ExpectCaptureMatchesSimulator(const CZOKExchange &engine, const zok::sim::Simulator &sim)
{
    QStringList sent;
    for (const auto &command : sim.commands())
        sent << QString::fromStdString(" [" + command.text + "]");
    QStringList received;
    for (const auto &frame : sim.framesSent())
        received << QString::fromStdString("[" + frame + "]");

    QStringList savedSent;
    QStringList savedReceived;
    const std::vector<SavedLine> lines = SaveAndReadBack(engine);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const SavedLine &line = lines[i];
        ASSERT_TRUE(line.time.isValid());
        EXPECT_EQ(line.baud, 9600);
        (line.direction == ">" ? savedSent : savedReceived) << line.rest;
        if (i > 0) {
            EXPECT_GE(line.sinceLastMs, 0);
            EXPECT_EQ(lines[i - 1].time.msecsTo(line.time), line.sinceLastMs);
        }
    }
    // Each command's leading space is a byte of the line too.
    EXPECT_EQ(savedSent, sent);
    EXPECT_EQ(savedReceived, received);
}

using CaptureTest = EngineHarness;

TEST_F(CaptureTest, ReadWriteAndTagFloodAreCapturedAsTheSimulatorRecordedThem)
{
    struct Case
    {
        const char *name;
        bool tags;
        std::function<void()> run;
    };
    const std::vector<Case> cases = {
        {"read", false,
         [this] {
             engine->ReadParameters();
             ASSERT_TRUE(WaitForMessage(kTextReadOk));
         }},
        {"write", false,
         [this] {
             engine->WriteParameters();
             ASSERT_TRUE(WaitForMessage(kTextWriteOk));
         }},
        // Tag reports before, during and after a read: batched, then handed over at once.
        {"tag flood", true,
         [this] {
             ASSERT_TRUE(sim->waitForFrames(100, std::chrono::seconds(15)));
             engine->ReadParameters();
             ASSERT_TRUE(WaitForMessage(kTextReadOk));
             ASSERT_TRUE(sim->waitForFrames(sim->frameCount() + 100, std::chrono::seconds(15)));
             sim->updateReceiver(0x01, [](zok::sim::ReceiverConfig &r) { r.tagRate = 0; });
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        zok::sim::SimulatorConfig config;
        if (c.tags) {
            config.receivers[0].tags = {"12AB", "0C3F"};
            config.receivers[0].tagRate = 1000;
        }
        Start(config);
        ASSERT_NO_FATAL_FAILURE(c.run());
        // Everything the simulator sent has come through.
        ASSERT_TRUE(WaitFor([&] {
            std::size_t received = 0;
            for (const CapturedFrame &frame : engine->Capture().Frames())
                received += frame.direction == TrafficDirection::Received ? 1 : 0;
            return received == sim->frameCount();
        }));
        ExpectCaptureMatchesSimulator(*engine, *sim);
        TearDown();
        view = RecordingView();
    }
}

TEST_F(CaptureTest, BytesThatMakeNoFrameAreCapturedMarked)
{
    Start();
    const std::string overlong = "[" + std::string(zok::FrameCutter::kMaxFrameLength + 1, '7') + "]";
    sim->sendRaw("xx[ab[0B0501]" + overlong + "[0C0101]");
    ASSERT_TRUE(WaitFor([&] {
        return !engine->Capture().Frames().empty() && engine->Capture().Frames().back().bytes == "[0C0101]";
    }));
    std::vector<std::pair<TrafficMark, std::string>> captured;
    for (const CapturedFrame &frame : engine->Capture().Frames())
        captured.emplace_back(frame.mark, frame.bytes);
    const std::string head = overlong.substr(0, zok::FrameCutter::kMaxDroppedText);
    EXPECT_EQ(captured, (std::vector<std::pair<TrafficMark, std::string>>{{TrafficMark::Malformed, "xx"},
                                                                          {TrafficMark::Malformed, "[ab"},
                                                                          {TrafficMark::None, "[0B0501]"},
                                                                          {TrafficMark::Overlong, head},
                                                                          {TrafficMark::None, "[0C0101]"}}));
    // Only the frames reach the traffic list.
    EXPECT_EQ(view.TrafficIn(LineColour::Blue), (QStringList{"[0B0501]", "[0C0101]"}));
    const std::vector<SavedLine> saved = SaveAndReadBack(*engine);
    ASSERT_EQ(saved.size(), 5u);
    EXPECT_EQ(saved[1].rest, "malformed [ab");
    EXPECT_TRUE(saved[3].rest.startsWith("over-long [777")) << saved[3].rest.toStdString();
}

// The ring keeps the newest frames; a frame that reaches it late (read while a command was
// being sent) takes its place by time.
TEST(TrafficCapture, KeepsTheNewestFramesInTimeOrder)
{
    zok::TrafficCapture capture(3);
    std::vector<std::string> observed;
    capture.SetObserver([&](const CapturedFrame &frame) { observed.push_back(frame.bytes); });
    for (const auto &[ms, bytes] :
         std::vector<std::pair<int, std::string>>{{10, "a"}, {20, "b"}, {30, "c"}, {40, "e"}, {35, "d"}}) {
        capture.Add({ms, 9600, TrafficDirection::Received, TrafficMark::None, bytes});
    }
    std::vector<std::string> kept;
    for (const CapturedFrame &frame : capture.Frames())
        kept.push_back(frame.bytes);
    EXPECT_EQ(kept, (std::vector<std::string>{"c", "d", "e"}));
    EXPECT_EQ(observed, (std::vector<std::string>{"a", "b", "c", "e", "d"}));
    EXPECT_EQ(capture.Total(), 5u);
    capture.SetCapacity(1);
    ASSERT_EQ(capture.Frames().size(), 1u);
    EXPECT_EQ(capture.Frames().front().bytes, "e");
}

} // namespace
