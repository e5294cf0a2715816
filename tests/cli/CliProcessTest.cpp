// zok-cli as scripts run it: the built program against the receiver simulator `zok-sim` on a
// pseudo-terminal, in text and JSON, with its exit statuses. Each case runs in a fresh folder so
// that no ZOK.ini is picked up by accident.
#include "ChildProcess.h"
#include "Ser2net.h"
#include "TempDir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QString>

#include <gtest/gtest.h>

namespace {

using zok::test::ChildProcess;

struct Result
{
    int status = -1;
    std::string out;
    std::string err;
    QJsonObject Json() const { return QJsonDocument::fromJson(QByteArray::fromStdString(out)).object(); }
};

// A zok-sim process; its first line is its port.
struct Sim
{
    ChildProcess process;
    std::string port;
    explicit Sim(const std::vector<std::string> &args)
        : process(ZOK_SIM_BINARY, args), port(process.ReadLine())
    {
    }
};

class CliProcess : public ::testing::Test
{
protected:
    Result Cli(const std::vector<std::string> &args)
    {
        ChildProcess child(ZOK_CLI_BINARY, args, dir.path().string());
        Result result;
        result.status = child.Finish();
        result.out = child.out;
        result.err = child.err;
        return result;
    }
    std::string File(const std::string &name) const { return dir.file(name); }

    zok::test::TempDir dir;
};

bool Contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

// One line on standard error, naming what failed.
bool OneErrorLine(const Result &r, std::initializer_list<std::string> parts)
{
    if (r.err.empty() || r.err.find('\n') != r.err.size() - 1)
        return false;
    for (const auto &part : parts) {
        if (!Contains(r.err, part))
            return false;
    }
    return true;
}

TEST_F(CliProcess, ReadListsTheParametersInTextAndJsonAndEachFailureHasItsStatus)
{
    Sim sim({"--set", "0B=2A", "--firmware", " v20.3.1"});
    ASSERT_FALSE(sim.port.empty());

    const Result text = Cli({"--port", sim.port, "read"});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_TRUE(QString::fromStdString(text.out).contains(
        QRegularExpression(QStringLiteral("RX_SENSIBILITY +2A +yes +42\n"))))
        << text.out;
    EXPECT_TRUE(Contains(text.out, "RX_MODE_FCT")) << text.out;
    EXPECT_TRUE(Contains(text.out, "v20.3.1")) << text.out;

    const Result json = Cli({"read", "--json", "--port", sim.port});
    ASSERT_EQ(json.status, 0) << json.err;
    const QJsonObject doc = json.Json();
    EXPECT_EQ(doc[QStringLiteral("command")].toString(), QStringLiteral("read"));
    EXPECT_EQ(doc[QStringLiteral("firmware")].toString(), QStringLiteral(" v20.3.1"));
    const QJsonArray parameters = doc[QStringLiteral("parameters")].toArray();
    ASSERT_EQ(parameters.size(), 22);
    const QJsonObject first = parameters[0].toObject();
    EXPECT_EQ(first[QStringLiteral("name")].toString(), QStringLiteral("RX_SENSIBILITY"));
    EXPECT_EQ(first[QStringLiteral("wire")].toString(), QStringLiteral("2A"));
    EXPECT_EQ(first[QStringLiteral("text")].toString(), QStringLiteral("42"));
    EXPECT_TRUE(first[QStringLiteral("supported")].toBool());

    // A port that does not exist: 3, in text and in JSON.
    const std::string missing = File("no-such-port");
    const Result wrongPort = Cli({"--port", missing, "read"});
    EXPECT_EQ(wrongPort.status, 3);
    EXPECT_TRUE(OneErrorLine(wrongPort, {missing})) << wrongPort.err;
    const Result wrongPortJson = Cli({"--port", missing, "--json", "read"});
    EXPECT_EQ(wrongPortJson.status, 3);
    EXPECT_EQ(wrongPortJson.Json()[QStringLiteral("status")].toInt(), 3);
    EXPECT_TRUE(
        wrongPortJson.Json()[QStringLiteral("error")].toString().contains(QString::fromStdString(missing)));

    // A receiver address nobody answers to: 4, naming port, address and command.
    const Result silent = Cli({"--port", sim.port, "--address", "2b", "read"});
    EXPECT_EQ(silent.status, 4);
    EXPECT_TRUE(OneErrorLine(silent, {sim.port, "2B", "99"})) << silent.err;
    const Result silentJson = Cli({"--port", sim.port, "--address", "2B", "read", "--json"});
    EXPECT_EQ(silentJson.Json()[QStringLiteral("status")].toInt(), 4);

    // Bad usage: 2, before any port is touched.
    EXPECT_EQ(Cli({"--port", sim.port, "read", "--period", "50"}).status, 2);
    EXPECT_EQ(Cli({"--port", sim.port, "--speed", "1234", "read"}).status, 2);
    EXPECT_EQ(Cli({"frobnicate"}).status, 2);
    const Result help = Cli({"read", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(Contains(help.out, "--save")) << help.out;
    EXPECT_TRUE(Contains(Cli({"--help"}).out, "4 no answer"));
}

TEST_F(CliProcess, ASilentReceiverIsATimeOut)
{
    Sim sim({"--silent"});
    const Result r = Cli({"--port", sim.port, "read"});
    EXPECT_EQ(r.status, 4);
    EXPECT_TRUE(OneErrorLine(r, {sim.port, "01", "99"})) << r.err;
    EXPECT_EQ(Cli({"--port", sim.port, "scan", "--wait", "200"}).status, 4);
}

TEST_F(CliProcess, TheSettingsFileGivesPortAddressAndLanguageAndIsNeverWritten)
{
    Sim sim({"--receiver", "03"});
    const std::string ini = "[ZOK]\r\nSERIAL_PORT=" + sim.port + "\r\nLANGUAGE=FRENCH\r\nRECEIVER_ID=03\r\n";
    zok::test::WriteBytes(File("ZOK.ini"), ini);
    const Result r = Cli({"read"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "Paramètre")) << r.out;
    EXPECT_TRUE(Contains(Cli({"read", "--lang", "en"}).out, "Parameter"));
    EXPECT_EQ(zok::test::ReadBytes(File("ZOK.ini")), ini);
}

TEST_F(CliProcess, ScanDetectTagsAndIdFilter)
{
    Sim sim(
        {"--receiver", "03", "--tag", "12AB34", "--tag-rate", "20", "--receiver", "0A", "--speed", "19200"});

    const Result scan = Cli({"--port", sim.port, "scan", "--all-speeds", "--wait", "300", "--json"});
    ASSERT_EQ(scan.status, 0) << scan.err;
    const QJsonArray receivers = scan.Json()[QStringLiteral("receivers")].toArray();
    ASSERT_EQ(receivers.size(), 2) << scan.out;
    EXPECT_EQ(receivers[0].toObject()[QStringLiteral("address")].toString(), QStringLiteral("03"));
    EXPECT_EQ(receivers[0].toObject()[QStringLiteral("speeds")].toArray(), QJsonArray{9600});
    EXPECT_EQ(receivers[1].toObject()[QStringLiteral("address")].toString(), QStringLiteral("0A"));
    EXPECT_EQ(receivers[1].toObject()[QStringLiteral("speeds")].toArray(), QJsonArray{19200});
    const Result scanText = Cli({"--port", sim.port, "scan", "--wait", "300"});
    EXPECT_TRUE(
        QString::fromStdString(scanText.out).contains(QRegularExpression(QStringLiteral("\n03 +9600\n$"))))
        << scanText.out;

    const Result detect = Cli({"--port", sim.port, "--address", "0A", "detect"});
    EXPECT_EQ(detect.status, 0) << detect.err;
    EXPECT_TRUE(Contains(detect.out, "19200")) << detect.out;
    EXPECT_EQ(Cli({"--port", sim.port, "--address", "0A", "detect", "--json"})
                  .Json()[QStringLiteral("speed")]
                  .toInt(),
              19200);

    const Result tags = Cli({"--port", sim.port, "--address", "03", "tags", "--duration", "1"});
    EXPECT_EQ(tags.status, 0) << tags.err;
    EXPECT_TRUE(QString::fromStdString(tags.out).contains(
        QRegularExpression(QStringLiteral("T[0-9:.]+\\S*  12AB34  [0-9]+\n"))))
        << tags.out;
    const QJsonArray reports =
        Cli({"--port", sim.port, "--address", "03", "tags", "--duration", "1", "--json"})
            .Json()[QStringLiteral("reports")]
            .toArray();
    ASSERT_FALSE(reports.isEmpty());
    EXPECT_EQ(reports[0].toObject()[QStringLiteral("id")].toString(), QStringLiteral("12AB34"));

    const Result set = Cli({"--port", sim.port, "--address", "03", "filter", "set", "001122", "00ffee",
                            "--alarm", "on", "--json"});
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(set.Json()[QStringLiteral("start")].toString(), QStringLiteral("001122"));
    EXPECT_EQ(set.Json()[QStringLiteral("end")].toString(), QStringLiteral("00FFEE"));
    EXPECT_TRUE(set.Json()[QStringLiteral("alarm")].toBool());
    const Result get = Cli({"--port", sim.port, "--address", "03", "filter", "get"});
    EXPECT_EQ(get.status, 0) << get.err;
    EXPECT_TRUE(Contains(get.out, "001122")) << get.out;
    EXPECT_EQ(Cli({"--port", sim.port, "--address", "03", "filter", "set", "0011", "00FF"}).status, 2);
}

TEST_F(CliProcess, CompareThenWriteWhatDiffersAndVerify)
{
    Sim sim({});
    const std::string file = File("bench.zok");
    ASSERT_EQ(Cli({"--port", sim.port, "read", "--save", file}).status, 0);
    EXPECT_EQ(Cli({"--port", sim.port, "compare", file}).status, 0);

    // Two values the receiver does not hold: a difference (1), listed in text and JSON.
    std::string bytes = zok::test::ReadBytes(file);
    bytes.replace(bytes.find("RX_TIMEOUT=06"), 13, "RX_TIMEOUT=0C");
    bytes.replace(bytes.find("RX_FORMAT=00"), 12, "RX_FORMAT=01");
    zok::test::WriteBytes(file, bytes);
    const Result compare = Cli({"--port", sim.port, "compare", file});
    EXPECT_EQ(compare.status, 1) << compare.err;
    EXPECT_TRUE(QString::fromStdString(compare.out)
                    .contains(QRegularExpression(QStringLiteral("RX_TIMEOUT +06 +6 +0C +12"))))
        << compare.out;
    EXPECT_FALSE(Contains(compare.out, "RX_SENSIBILITY")) << compare.out;
    const QJsonObject json = Cli({"--port", sim.port, "compare", file, "--json"}).Json();
    EXPECT_EQ(json[QStringLiteral("status")].toInt(), 1);
    EXPECT_EQ(json[QStringLiteral("differences")].toInt(), 2);

    // Only what differs is written, then read back and verified.
    const Result write = Cli({"--port", sim.port, "write", file, "--only-different", "--json"});
    ASSERT_EQ(write.status, 0) << write.err;
    EXPECT_EQ(write.Json()[QStringLiteral("written")].toInt(), 2);
    EXPECT_EQ(write.Json()[QStringLiteral("verified")].toInt(), 2);
    EXPECT_EQ(Cli({"--port", sim.port, "compare", file}).status, 0);
    const Result again = Cli({"--port", sim.port, "write", file, "--only-different"});
    EXPECT_EQ(again.status, 0);
    EXPECT_TRUE(Contains(again.out, "Nothing to write")) << again.out;

    // The window's Write: every supported parameter but the speed, all verified.
    const Result full = Cli({"--port", sim.port, "write", file});
    EXPECT_EQ(full.status, 0) << full.err;
    EXPECT_TRUE(Contains(full.out, "21 values written and verified")) << full.out;
}

TEST_F(CliProcess, ACorruptFileIsStatus2WithItsLineAndNothingIsSent)
{
    const std::string file = File("bad.zok");
    zok::test::WriteBytes(file, "[ZOK_PARAMETERS]\r\nRX_SENSIBILITY=80\r\nRX_MODE_FCT=zz\r\n");
    // The file is checked before the port: a port that cannot open changes nothing.
    for (const char *command : {"write", "compare"}) {
        const Result r = Cli({"--port", File("no-port"), command, file});
        EXPECT_EQ(r.status, 2) << command;
        EXPECT_TRUE(OneErrorLine(r, {file, "line 3", "RX_MODE_FCT"})) << r.err;
    }
    const Result json = Cli({"--port", File("no-port"), "--json", "write", file});
    EXPECT_EQ(json.Json()[QStringLiteral("status")].toInt(), 2);
    EXPECT_TRUE(json.Json()[QStringLiteral("error")].toString().contains(QStringLiteral("line 3")));
    EXPECT_EQ(Cli({"--port", File("no-port"), "compare", File("absent.zok")}).status, 2);
}

// The simulator behind a link, as an adapter behind its by-id name: a replug stops it (the link
// goes with its pseudo-terminal) and starts another one on the same link.
TEST_F(CliProcess, TagsRideThroughAReplugWhileOtherCommandsEndWith3)
{
    const std::string link = File("ttyUSB-by-id");
    auto sim = std::make_unique<Sim>(
        std::vector<std::string>{"--link", link, "--tag", "12AB34", "--tag-rate", "20"});
    ChildProcess tags(ZOK_CLI_BINARY, {"--port", link, "tags"}, dir.path().string());
    ASSERT_TRUE(Contains(tags.ReadLine(), "12AB34"));
    sim->process.Signal(SIGTERM);
    ASSERT_EQ(sim->process.Finish(), 0);
    sim = std::make_unique<Sim>(
        std::vector<std::string>{"--link", link, "--tag", "56CD78", "--tag-rate", "20"});
    std::string line;
    while (!Contains(line, "56CD78") && !(line = tags.ReadLine()).empty()) {
    }
    EXPECT_TRUE(Contains(line, "56CD78")) << "no report after the replug";
    tags.Signal(SIGINT);
    EXPECT_EQ(tags.Finish(), 0) << tags.err;
    EXPECT_TRUE(Contains(tags.err, "lost") && Contains(tags.err, "back")) << tags.err;

    // A scan has no use for a line that went away: it ends with 3 at once.
    auto verbose = std::make_unique<Sim>(std::vector<std::string>{"--verbose"});
    ChildProcess scan(ZOK_CLI_BINARY, {"--port", verbose->port, "scan", "--wait", "30000"},
                      dir.path().string());
    while (!Contains(line, "010000") && !(line = verbose->process.ReadErrorLine()).empty()) {
    }
    ASSERT_TRUE(Contains(line, "010000")) << "the simulator never heard the scan";
    verbose.reset();
    EXPECT_EQ(scan.Finish(), 3);
    EXPECT_TRUE(Contains(scan.err, "lost")) << scan.err;
}

TEST_F(CliProcess, WaitPortWaitsForAMissingPortToAppear)
{
    const std::string link = File("plugged-later");
    const Result never = Cli({"--port", link, "--wait-port", "0.3", "read"});
    EXPECT_EQ(never.status, 3);
    EXPECT_TRUE(Contains(never.err, link) && Contains(never.err, "0.3")) << never.err;

    ChildProcess read(ZOK_CLI_BINARY, {"--port", link, "--wait-port", "30", "read"}, dir.path().string());
    ASSERT_TRUE(Contains(read.ReadErrorLine(), link)); // it says it waits
    Sim sim({"--link", link});
    EXPECT_EQ(read.Finish(), 0) << read.err;
    EXPECT_TRUE(Contains(read.out, "RX_SENSIBILITY")) << read.out;
}

// The radio dialog's own record: its format, and its lock, which refuses a second writer with
// the dialog's message.
TEST_F(CliProcess, CtrlCDuringRadioLeavesACompleteCsvInTheDialogsFormat)
{
    Sim sim({});
    const std::string csv = File("levels.csv");
    ChildProcess radio(ZOK_CLI_BINARY, {"--port", sim.port, "radio", "--period", "40", "--csv", csv},
                       dir.path().string());
    int printed = 0;
    for (; printed < 3; ++printed)
        ASSERT_FALSE(radio.ReadLine().empty());
    const Result second = Cli({"--lang", "en", "--port", sim.port, "radio", "--csv", csv});
    EXPECT_EQ(second.status, 2);
    EXPECT_TRUE(OneErrorLine(second, {"Can't open file " + csv + " !"})) << second.err;
    radio.Signal(SIGINT);
    EXPECT_EQ(radio.Finish(), 0) << radio.err;
    for (char c : radio.out)
        printed += c == '\n' ? 1 : 0;

    const std::string bytes = zok::test::ReadBytes(csv);
    const std::string header = "\xEF\xBB\xBF"
                               "time,address,level\r\n";
    ASSERT_TRUE(bytes.starts_with(header)) << bytes;
    const QString text = QString::fromStdString(bytes.substr(header.size()));
    ASSERT_TRUE(text.endsWith(QStringLiteral("\r\n"))) << bytes;
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast();
    EXPECT_EQ(lines.size(), printed);
    const QRegularExpression row(
        QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d,01,\d{1,3}$)"));
    for (const QString &line : lines)
        EXPECT_TRUE(row.match(line).hasMatch()) << line.toStdString();
}

// The window's clone from a script: four receivers, of which 01 takes the file, 05 already holds
// it, 0A answers the scan but never completes a read, and 0C is silent (no row). The CSV is the
// one the window's Save as CSV writes for the same line.
TEST_F(CliProcess, CloneBringsTheLineToAFileAndWritesTheWindowsCsv)
{
    Sim sim({"--receiver", "01", "--receiver", "05", "--firmware", " v20.1.0, site B", "--set", "0B=80",
             "--set", "03=03", "--receiver", "0A", "--params", "0B", "--receiver", "0C", "--silent"});
    const std::string file = File("site.zok");
    ASSERT_EQ(Cli({"--port", sim.port, "--address", "05", "read", "--save", file}).status, 0);

    const std::string csv = File("result.csv");
    const Result r = Cli({"--port", sim.port, "clone", file, "--csv", csv});
    EXPECT_EQ(r.status, 1) << r.err;
    const QString out = QString::fromStdString(r.out);
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("\n01 +v20.1.0 +2 +Verified\n")))) << r.out;
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("\n0A +0 +Failed at read: Read Error.\n"))))
        << r.out;
    EXPECT_TRUE(out.endsWith(QStringLiteral("3 receiver(s) found, 2 verified.\n"))) << r.out;
    EXPECT_EQ(zok::test::ReadBytes(csv),
              zok::test::ReadBytes(ZOK_SOURCE_DIR "/tests/link/update/clone-three-receivers.csv"));

    Sim nobody({"--silent"});
    EXPECT_EQ(Cli({"--port", nobody.port, "clone", file}).status, 4);
}

// Ctrl+C stops after the receiver in progress: it took the new speed, the line went back to the
// scan's speed (so its row names the speed it now listens at), the next one was not touched.
TEST_F(CliProcess, CtrlCDuringCloneStopsAfterTheReceiverInProgress)
{
    Sim sim({"--delay", "50", "--receiver", "05"});
    const std::string file = File("fast.zok");
    ASSERT_EQ(Cli({"--port", sim.port, "read", "--save", file}).status, 0);
    std::string bytes = zok::test::ReadBytes(file);
    bytes.replace(bytes.find("RX_VITESSE=00"), 13, "RX_VITESSE=01");
    zok::test::WriteBytes(file, bytes);

    ChildProcess clone(ZOK_CLI_BINARY, {"-v", "--port", sim.port, "clone", file, "--enable-speed"},
                       dir.path().string());
    for (std::string line = clone.ReadErrorLine(); !Contains(line, "990001"); line = clone.ReadErrorLine())
        ASSERT_FALSE(line.empty());
    clone.Signal(SIGINT);
    EXPECT_EQ(clone.Finish(), 130) << clone.err;
    const QString out = QString::fromStdString(clone.out);
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("\n01 +v20.1.0 +1 +Verified +19200\n"))))
        << clone.out;
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("\n05 +Cancelled\n")))) << clone.out;
    EXPECT_TRUE(out.contains(QStringLiteral("9600 baud: 01 at 19200 baud."))) << clone.out;
}

// A scan cut short may miss receivers: not a success.
TEST_F(CliProcess, CtrlCDuringScanIsStatus130)
{
    Sim sim({});
    ChildProcess scan(ZOK_CLI_BINARY, {"--port", sim.port, "-v", "scan", "--wait", "60000", "--json"},
                      dir.path().string());
    ASSERT_FALSE(scan.ReadErrorLine().empty()); // the scan command is on the line
    scan.Signal(SIGINT);
    EXPECT_EQ(scan.Finish(), 130);
    const QJsonObject document = QJsonDocument::fromJson(QByteArray::fromStdString(scan.out)).object();
    EXPECT_EQ(document[QStringLiteral("status")].toInt(), 130) << scan.out; // ended, not killed
}

// zok-cli on both kinds of network line, through ser2net: a read saves the same bytes as one on
// the device itself, a scan finds the receivers (the one at 38400 only through RFC 2217's speed
// changes), and a device server that is not there is named.
TEST_F(CliProcess, NetworkLinesReadAndScanAsTheDeviceDoes)
{
    if (zok::test::Ser2net::SkipWanted())
        GTEST_SKIP() << "ZOK_SKIP_SER2NET=1";
    Sim sim({"--receiver", "01", "--receiver", "02", "--speed", "38400"});
    ASSERT_FALSE(sim.port.empty());
    // On the device first: ser2net holds it only while a client is connected.
    ASSERT_EQ(Cli({"--port", sim.port, "read", "--save", File("device.zok")}).status, 0);
    zok::test::Ser2net server(sim.port);
    ASSERT_TRUE(server.Start()) << server.Problem();
    for (const std::string &name : {server.RawName(), server.Rfc2217Name()}) {
        const std::string file = File(name.substr(0, 3) + ".zok");
        const Result read = Cli({"--port", name, "read", "--save", file});
        ASSERT_EQ(read.status, 0) << name << read.err;
        EXPECT_EQ(zok::test::ReadBytes(file), zok::test::ReadBytes(File("device.zok"))) << name;
    }
    const struct
    {
        std::string name;
        std::vector<std::string> options;
        qsizetype found;
    } scans[] = {{server.RawName(), {}, 1}, {server.Rfc2217Name(), {"--all-speeds"}, 2}};
    for (const auto &scan : scans) {
        std::vector<std::string> args{"--port", scan.name, "scan", "--wait", "300", "--json"};
        args.insert(args.end(), scan.options.begin(), scan.options.end());
        const Result result = Cli(args);
        ASSERT_EQ(result.status, 0) << scan.name << result.err;
        EXPECT_EQ(result.Json()[QStringLiteral("receivers")].toArray().size(), scan.found) << result.out;
    }
    const std::string nobody = "127.0.0.1:" + std::to_string(zok::test::Ser2net::FreePort());
    const Result none = Cli({"--port", "tcp://" + nobody, "read"});
    EXPECT_EQ(none.status, 3);
    EXPECT_TRUE(OneErrorLine(none, {"tcp://" + nobody, "Nothing answers at " + nobody})) << none.err;
}

} // namespace
