#include "FrameCutter.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Cut(zok::FrameCutter &cutter, const std::string &bytes)
{
    std::vector<std::string> frames;
    for (char c : bytes) {
        if (cutter.Feed(c))
            frames.push_back(cutter.TakeFrame());
    }
    return frames;
}

struct CutCase
{
    const char *name;
    std::string stream;
    std::vector<std::string> frames;
};

TEST(FrameCutter, CutsFramesByTheBracketRules)
{
    const std::vector<CutCase> cases = {
        {"plain", "[0C0101]", {"0C0101"}},
        {"noise before and between", "xx\r\n[01]zz]yy[02]", {"01", "02"}},
        {"empty frame", "[]", {""}},
        {"new [ restarts", "[ab[cd]", {"cd"}},
        {"] outside dropped", "]]a]", {}},
        {"unfinished", "[abc", {}},
        {"binary bytes kept", std::string("[\0\xff\x01]", 5), {std::string("\0\xff\x01", 3)}},
        {"back to back", "[VE13.6.0][OK0C0101][]", {"VE13.6.0", "OK0C0101", ""}},
    };
    for (const auto &c : cases) {
        zok::FrameCutter cutter;
        EXPECT_EQ(Cut(cutter, c.stream), c.frames) << c.name;
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
    EXPECT_TRUE(Cut(cutter, "[" + tooLong + "]tail").empty());
    EXPECT_EQ(Cut(cutter, "[ok]"), std::vector<std::string>{"ok"});
    // An over-long frame that never closes gives way to the next "[".
    EXPECT_EQ(Cut(cutter, "[" + tooLong + tooLong + "[next]"), std::vector<std::string>{"next"});
}

} // namespace
