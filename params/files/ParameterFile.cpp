#include "ParameterFile.h"

#include "CIniEx.h"
#include "CZOKProperties.h"
#include "HexByte.h"
#include "ParameterFileValue.h"
#include "ParameterTable.h"
#include "ParameterWire.h"

namespace zok {

namespace {

// Section slots the store adds at a time; parameter files hold few sections.
constexpr int kGrowStep = 4;

} // namespace

SaveOutcome SaveParameterFile(const std::string &path, const CZOKProperties &props)
{
    CIniEx ini(kGrowStep);
    if (!ini.LoadFile(path, false, true, true, false, false))
        return SaveOutcome::AccessError;
    ini.RemoveSection(kParameterSection);
    // The store returns the backup name on success: naming the file itself makes it non-empty.
    ini.SetBackupFileName(path);
    for (const auto id : FileKeyOrder())
        ini.SetKeyValue(kParameterSection, Parameter(id).Key,
                        FormatHexByte(WireValueOf(id, props.Value(id))));
    return ini.SaveFile(false).empty() ? SaveOutcome::WriteError : SaveOutcome::Saved;
}

LoadResult LoadParameterFile(const std::string &path, CZOKProperties &props)
{
    CIniEx ini(kGrowStep);
    if (!ini.LoadFile(path, false, false, true, false, true))
        return {};
    return ApplyParameterSection(ini, props);
}

LoadResult ApplyParameterSection(const CIniEx &ini, CZOKProperties &props)
{
    LoadResult result;
    result.Outcome = LoadOutcome::Loaded;
    for (const auto id : FileKeyOrder()) {
        const auto value = ParseParameterFileValue(ini.GetKeyValue(kParameterSection, Parameter(id).Key, ""));
        if (value)
            props.SetValue(id, ModelValueOf(id, *value));
        if (id == ParameterId::RX_VITESSE)
            result.SpeedKeyReached = true;
        if (!value) {
            result.Outcome = LoadOutcome::ContentError;
            break;
        }
        ++result.AppliedCount;
    }
    return result;
}

} // namespace zok
