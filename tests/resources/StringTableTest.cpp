#include "StringTable.h"
#include "ZokText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The printf conversions of a text, in order ("%s", "%.02X", ...); "%%" is not one.
std::vector<std::string> conversions(const std::string &text)
{
    static const std::regex conversion(R"(%[-+ #0]*[0-9]*(\.[0-9]+)?(hh|h|ll|l)?[diouxXeEfgGcsp%])");
    std::vector<std::string> found;
    for (std::sregex_iterator it(text.begin(), text.end(), conversion), end; it != end; ++it)
        if (it->str() != "%%")
            found.push_back(it->str());
    return found;
}

// Every `zok::Text(<number>` call in the program's own sources, with the file that makes it.
std::multimap<int, std::string> idsUsedBySources()
{
    namespace fs = std::filesystem;
    static const std::regex call(R"(zok::Text\(\s*([0-9]+)\s*[,)])");
    std::multimap<int, std::string> used;
    for (const char *folder :
         {"app", "link", "params", "tools", "propgrid", "widgets", "platform", "resources"}) {
        const fs::path root = fs::path(ZOK_SOURCE_DIR) / folder;
        if (!fs::is_directory(root))
            continue;
        for (const auto &entry : fs::recursive_directory_iterator(root)) {
            const auto ext = entry.path().extension();
            if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h"))
                continue;
            std::ifstream in(entry.path());
            std::stringstream content;
            content << in.rdbuf();
            const std::string text = content.str();
            for (std::sregex_iterator it(text.begin(), text.end(), call), end; it != end; ++it)
                used.emplace(std::stoi((*it)[1].str()), entry.path().string());
        }
    }
    return used;
}

} // namespace

TEST(StringTable, IsSortedAndUnique)
{
    for (std::size_t i = 1; i < zok::kStringTableSize; ++i)
        EXPECT_LT(zok::kStringTable[i - 1].id, zok::kStringTable[i].id) << "at entry " << i;
}

TEST(StringTable, EveryIdHasBothTexts)
{
    for (int id : zok::TextIds())
        EXPECT_TRUE(zok::HasText(id)) << "id " << id;
}

// A French text with other conversions than its English one would crash or garble the formatted line.
TEST(StringTable, BothLanguagesTakeTheSameFormatArguments)
{
    for (std::size_t i = 0; i < zok::kStringTableSize; ++i) {
        const auto &entry = zok::kStringTable[i];
        EXPECT_EQ(conversions(entry.english), conversions(entry.french)) << "id " << entry.id;
    }
}

TEST(StringTable, EveryIdUsedByTheProgramHasBothTexts)
{
    for (const auto &[id, file] : idsUsedBySources())
        EXPECT_TRUE(zok::HasText(id)) << "id " << id << " used in " << file;
}

TEST(StringTable, LookupFollowsTheSelectedLanguage)
{
    const zok::Language before = zok::SelectedLanguage();
    zok::SelectLanguage(zok::Language::French);
    EXPECT_EQ(zok::Text(131), QString::fromUtf8("Prêt"));
    EXPECT_EQ(zok::Text(57345), QString::fromUtf8("Prêt"));
    zok::SelectLanguage(zok::Language::English);
    EXPECT_EQ(zok::Text(131), QStringLiteral("Ready"));
    EXPECT_EQ(zok::Text(101, zok::Language::French), QString::fromUtf8("&À propos de ZOK..."));
    zok::SelectLanguage(before);
}

TEST(StringTable, UnknownIdGivesAnEmptyText)
{
    EXPECT_TRUE(zok::Text(154).isEmpty());
    EXPECT_TRUE(zok::Text(-1).isEmpty());
    EXPECT_FALSE(zok::HasText(99999));
}
