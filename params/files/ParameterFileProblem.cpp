#include "ParameterFileProblem.h"

#include "CZOKProperties.h"
#include "IniText.h"
#include "ParameterFile.h"
#include "ParameterTable.h"

#include <fstream>
#include <iterator>

namespace zok {

namespace {

std::optional<std::string> ReadBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The line of `key` in the first section named as the parameter section; 0 when there is none.
int LineOfKey(const std::string &bytes, const std::string &key)
{
    int number = 0;
    int sectionsSeen = 0;
    bool inSection = false;
    for (std::string &line : ini::SplitLines(bytes)) {
        ++number;
        ini::TrimRight(line);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            inSection =
                sectionsSeen == 0 && ini::SameText(line.substr(1, line.size() - 2), kParameterSection, true);
            sectionsSeen += inSection ? 1 : 0;
            continue;
        }
        if (inSection && ini::SameText(line.substr(0, line.find('=')), key, true))
            return number;
    }
    return 0;
}

} // namespace

std::optional<ParameterFileProblem> FindParameterFileProblem(const std::string &path)
{
    CZOKProperties scratch;
    const LoadResult result = LoadParameterFile(path, scratch);
    if (result.Outcome != LoadOutcome::ContentError)
        return std::nullopt;
    const auto bytes = ReadBytes(path);
    if (!bytes)
        return std::nullopt;
    const std::string key = Parameter(FileKeyOrder()[static_cast<std::size_t>(result.AppliedCount)]).Key;
    return ParameterFileProblem{key, LineOfKey(*bytes, key)};
}

} // namespace zok
