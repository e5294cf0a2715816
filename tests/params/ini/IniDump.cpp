#include "IniDump.h"

#include "CIniEx.h"

#include <cstdio>

namespace zok::test {

namespace {
std::string escaped(const std::string &text)
{
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '\\' || c == '"') {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out + "\"";
}
} // namespace

std::string DumpIni(const CIniEx &ini)
{
    std::string out;
    for (int s = 0; s < ini.SectionCount(); ++s) {
        out += "section " + escaped(ini.SectionName(s)) + "\n";
        for (int k = 0; k < ini.KeyCount(s); ++k)
            out += "  " + escaped(ini.Key(s, k)) + " = " + escaped(ini.Value(s, k)) + "\n";
    }
    return out;
}

void TouchIni(CIniEx &ini)
{
    const std::string scratch = "zok-test-scratch-section";
    ini.SetKeyValue(scratch, "k", "v");
    ini.RemoveSection(scratch);
}

} // namespace zok::test
