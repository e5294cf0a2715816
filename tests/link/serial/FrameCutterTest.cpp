#include "FrameCutter.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

using Drop = zok::FrameCutter::Drop;

// Feeds `bytes` as one read; the frames cut, and what was dropped (kind and kept bytes), in order
// with them.
std::vector<std::string> Cut(zok::FrameCutter &cutter, const std::string &bytes,
                             std::vector<std::pair<Drop, std::string>> *drops = nullptr)
{
    std::vector<std::string> frames;
    const auto takeDrop = [&] {
        const Drop kind = cutter.PendingDrop();
        if (kind != Drop::None && drops)
            drops->emplace_back(kind, cutter.TakeDropped());
    };
    for (char c : bytes) {
        const bool closed = cutter.Feed(c);
        takeDrop();
        if (closed)
            frames.push_back(cutter.TakeFrame());
    }
    cutter.EndOfRead();
    takeDrop();
    return frames;
}

struct CutCase
{
    const char *name;
    std::string stream;
    std::vector<std::string> frames;
    std::vector<std::pair<Drop, std::string>> drops;
};

TEST(FrameCutter, CutsFramesByTheBracketRulesAndHandsOverWhatItDrops)
{
    const std::vector<CutCase> cases = {
        {"plain", "[0C0101]", {"0C0101"}, {}},
        {"noise before and between",
         "xx\r\n[01]zz]yy[02]",
         {"01", "02"},
         {{Drop::Malformed, "xx\r\n"}, {Drop::Malformed, "zz]yy"}}},
        {"empty frame", "[]", {""}, {}},
        {"new [ restarts", "[ab[cd]", {"cd"}, {{Drop::Malformed, "[ab"}}},
        {"] outside dropped", "]]a]", {}, {{Drop::Malformed, "]]a]"}}},
        {"unfinished", "[abc", {}, {}},
        {"binary bytes kept", std::string("[\0\xff\x01]", 5), {std::string("\0\xff\x01", 3)}, {}},
        {"back to back", "[VE13.6.0][OK0C0101][]", {"VE13.6.0", "OK0C0101", ""}, {}},
    };
    for (const auto &c : cases) {
        zok::FrameCutter cutter;
        std::vector<std::pair<Drop, std::string>> drops;
        EXPECT_EQ(Cut(cutter, c.stream, &drops), c.frames) << c.name;
        EXPECT_EQ(drops, c.drops) << c.name;
    }
}

TEST(FrameCutter, FrameSpansFeeds)
{
    zok::FrameCutter cutter;
    EXPECT_TRUE(Cut(cutter, "noise[0C").empty());
    EXPECT_TRUE(Cut(cutter, "01").empty());
    EXPECT_EQ(Cut(cutter, "01]"), std::vector<std::string>{"0C0101"});
}

TEST(FrameCutter, OverlongFrameIsDroppedWholeAndCuttingResumes)
{
    zok::FrameCutter cutter;
    const std::string atCap(zok::FrameCutter::kMaxFrameLength, 'a');
    EXPECT_EQ(Cut(cutter, "[" + atCap + "]"), std::vector<std::string>{atCap});
    const std::string tooLong(zok::FrameCutter::kMaxFrameLength + 1, 'b');
    std::vector<std::pair<Drop, std::string>> drops;
    EXPECT_TRUE(Cut(cutter, "[" + tooLong + "]tail", &drops).empty());
    EXPECT_EQ(Cut(cutter, "[ok]", &drops), std::vector<std::string>{"ok"});
    // An over-long frame that never closes gives way to the next "[".
    EXPECT_EQ(Cut(cutter, "[" + tooLong + tooLong + "[next]", &drops), std::vector<std::string>{"next"});
    // Each over-long frame is handed over once, by its first bytes; so is the stray "tail".
    const std::string head = "[" + tooLong.substr(0, zok::FrameCutter::kMaxDroppedText - 1);
    EXPECT_EQ(drops, (std::vector<std::pair<Drop, std::string>>{
                         {Drop::Overlong, head}, {Drop::Malformed, "tail"}, {Drop::Overlong, head}}));
}

} // namespace
