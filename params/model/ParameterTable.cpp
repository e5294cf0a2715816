#include "ParameterTable.h"

#include <array>

namespace zok {
namespace {

using P = ParameterId;
constexpr auto Byte = ParameterKind::Byte;
constexpr auto Choice = ParameterKind::Choice;
constexpr CZOKFirmwareVersion kAny{};

constexpr ParameterChoice kModeChoices[] = {{0, 108}, {1, 109}, {2, 110}, {3, 165}};
constexpr ParameterChoice kOutputChoices[] = {{0, 113}, {1, 114}, {2, 115}, {3, 152}};
constexpr ParameterChoice kFrameChoices[] = {{0, 118}, {1, 119}};
constexpr ParameterChoice kSpeedChoices[] = {{0, 157}, {1, 158}, {2, 221}, {3, 222}, {4, 223}};
constexpr ParameterChoice kSpeedOlderChoices[] = {{0, 157}, {1, 158}};
constexpr ParameterChoice kFormatChoices[] = {{0, 161}, {1, 162}};
constexpr ParameterChoice kAlarmChoices[] = {{0, 171}, {1, 170}};
constexpr ParameterChoice kRedundancyChoices[] = {{0, 175}, {1, 176}};
constexpr ParameterChoice kReceptionChoices[] = {{0, 179}, {4, 220}};
constexpr ParameterChoice kReceptionOlderChoices[] = {{0, 179}, {1, 180}, {2, 181}, {3, 182}};
constexpr ParameterChoice kStrongestChoices[] = {{0, 188}, {1, 189}};
constexpr ParameterChoice kRwSpeedChoices[] = {{0, 194}, {1, 195}};
constexpr ParameterChoice kCrcChoices[] = {{0, 198}, {1, 199}};
constexpr ParameterChoice kRelayChoices[] = {{0, 204}, {1, 205}};
constexpr ParameterChoice kTemperatureChoices[] = {{0, 212}, {1, 213}};
constexpr ParameterChoice kClearStackChoices[] = {{0, 214}, {1, 215}};
constexpr ParameterChoice kReplaceChoices[] = {{0, 216}, {1, 217}};

constexpr std::span<const ParameterChoice> kNone{};

// clang-format off
constexpr std::array<ParameterInfo, kParameterCount> kParameters{{
//   id                        key                      kind    def  unsup min max  code  mask      firmware      +1     bit name help choices
    {P::RX_SENSIBILITY,        "RX_SENSIBILITY",        Byte,   254, 255,  0,  0,  "0B", 0x1,      kAny,         false, -1, 104, 105, kNone, kNone},
    {P::RX_MODE_FCT,           "RX_MODE_FCT",           Choice, 0,   0,    0,  0,  "01", 0x2,      kAny,         true,  -1, 106, 107, kModeChoices, kNone},
    {P::RX_TIMEOUT,            "RX_TIMEOUT",            Byte,   6,   6,    0,  0,  "05", 0x10,     kAny,         false, -1, 120, 121, kNone, kNone},
    {P::RX_OUTPUT,             "RX_OUTPUT",             Choice, 0,   0,    0,  0,  "03", 0x4,      kAny,         true,  -1, 111, 112, kOutputChoices, kNone},
    {P::RX_TRAME_FORMAT,       "RX_TRAME_FORMAT",       Choice, 1,   0,    0,  0,  "10", 0x8,      kAny,         true,  -1, 116, 117, kFrameChoices, kNone},
    {P::RX_DELTAT_CADENCE,     "RX_DELTAT_CADENCE",     Byte,   10,  60,   0,  0,  "07", 0x20,     kAny,         false, -1, 122, 123, kNone, kNone},
    {P::RX_DELTA_CHECKSUM,     "RX_DELTA_CHECKSUM",     Byte,   0,   0,    0,  0,  "C0", 0x40,     kAny,         false, -1, 124, 125, kNone, kNone},
    {P::RX_VITESSE,            "RX_VITESSE",            Choice, 0,   0,    0,  0,  "12", 0x80,     kAny,         false, -1, 155, 156, kSpeedChoices, kSpeedOlderChoices},
    {P::RX_FORMAT,             "RX_FORMAT",             Choice, 0,   0,    0,  0,  "14", 0x100,    kAny,         false, -1, 159, 160, kFormatChoices, kNone},
    {P::RX_TM_REPONSE,         "RX_TM_REPONSE",         Byte,   0,   0,    0,  0,  "16", 0x200,    kAny,         false, -1, 163, 164, kNone, kNone},
    {P::RX_ENV_ALARME,         "RX_ENV_ALARME",         Choice, 0,   0,    0,  0,  "1A", 0x400,    kAny,         false, -1, 168, 169, kAlarmChoices, kNone},
    {P::RX_REDONDANCE,         "RX_REDONDANCE",         Choice, 0,   0,    0,  0,  "1C", 0x800,    kAny,         false, -1, 172, 174, kRedundancyChoices, kNone},
    {P::RX_INTREC,             "RX_INTREC",             Choice, 0,   0,    0,  0,  "1E", 0x1000,   kAny,         false, -1, 177, 178, kReceptionChoices, kReceptionOlderChoices},
    {P::RX_TRIPLUSFORT,        "RX_TRIPLUSFORT",        Choice, 0,   0,    0,  0,  "20", 0x2000,   kAny,         false, -1, 186, 187, kStrongestChoices, kNone},
    {P::RX_VITESSE_RW,         "RX_VITESSE_RW",         Choice, 0,   0,    0,  0,  "22", 0x4000,   {13, 2, 2},   false, 0,  192, 193, kRwSpeedChoices, kNone},
    {P::RX_LONG_CRC,           "RX_LONG_CRC",           Choice, 0,   0,    0,  0,  "22", 0x8000,   {13, 2, 2},   false, 1,  196, 197, kCrcChoices, kNone},
    {P::RX_LONG_BIT_RW,        "RX_LONG_BIT_RW",        Byte,   167, 167,  0,  0,  "24", 0x10000,  kAny,         false, -1, 200, 201, kNone, kNone},
    {P::RX_CMD_DIRECTE_RELAIS, "RX_CMD_DIRECTE_RELAIS", Choice, 0,   0,    0,  0,  "22", 0x20000,  {13, 4, 0},   false, 2,  202, 203, kRelayChoices, kNone},
    {P::RX_FILTRAGE_TEMP,      "RX_FILTRAGE_TEMP",      Choice, 0,   0,    0,  0,  "22", 0x40000,  {13, 5, 0},   false, 3,  206, 209, kTemperatureChoices, kNone},
    {P::RX_EFFACER_PILE,       "RX_EFFACER_PILE",       Choice, 0,   0,    0,  0,  "22", 0x80000,  {13, 5, 0},   false, 4,  207, 210, kClearStackChoices, kNone},
    {P::RX_REMPLACE_FAIBLE,    "RX_REMPLACE_FAIBLE",    Choice, 0,   0,    0,  0,  "22", 0x100000, {13, 5, 0},   false, 5,  208, 211, kReplaceChoices, kNone},
    {P::RX_NB_TAGS_MIN,        "RX_NB_TAGS_MIN",        Byte,   1,   1,    1,  20, "26", 0x200000, {13, 6, 0},   false, -1, 218, 219, kNone, kNone},
}};

// The switches of register 22 in bit order (bits 6 and 7 are unused).
constexpr ParameterId kSwitches[] = {P::RX_VITESSE_RW,    P::RX_LONG_CRC,     P::RX_CMD_DIRECTE_RELAIS,
                                     P::RX_FILTRAGE_TEMP, P::RX_EFFACER_PILE, P::RX_REMPLACE_FAIBLE};
// Register 22 is written only when these three are all reported.
constexpr ParameterId kSwitchWriteGuard[] = {P::RX_VITESSE_RW, P::RX_LONG_CRC, P::RX_CMD_DIRECTE_RELAIS};

constexpr std::span<const ParameterId> kOwnBit{};

constexpr ReaderRegister kRegisters[] = {
//   read  write required switches parameter             speed  write guard
    {"0B", "0C", true,  false, P::RX_SENSIBILITY,    false, kOwnBit},
    {"01", "02", true,  false, P::RX_MODE_FCT,       false, kOwnBit},
    {"05", "06", true,  false, P::RX_TIMEOUT,        false, kOwnBit},
    {"03", "04", true,  false, P::RX_OUTPUT,         false, kOwnBit},
    {"10", "11", true,  false, P::RX_TRAME_FORMAT,   false, kOwnBit},
    {"07", "08", true,  false, P::RX_DELTAT_CADENCE, false, kOwnBit},
    {"C0", "C1", true,  false, P::RX_DELTA_CHECKSUM, false, kOwnBit},
    {"12", "13", false, false, P::RX_VITESSE,        true,  kOwnBit},
    {"14", "15", false, false, P::RX_FORMAT,         false, kOwnBit},
    {"16", "17", false, false, P::RX_TM_REPONSE,     false, kOwnBit},
    {"1A", "1B", false, false, P::RX_ENV_ALARME,     false, kOwnBit},
    {"1C", "1D", false, false, P::RX_REDONDANCE,     false, kOwnBit},
    {"1E", "1F", false, false, P::RX_INTREC,         false, kOwnBit},
    {"20", "21", false, false, P::RX_TRIPLUSFORT,    false, kOwnBit},
    {"22", "23", false, true,  P::RX_VITESSE_RW,     false, kSwitchWriteGuard},
    {"24", "25", false, false, P::RX_LONG_BIT_RW,    false, kOwnBit},
    {"26", "27", false, false, P::RX_NB_TAGS_MIN,    false, kOwnBit},
};

constexpr ParameterId kFileKeyOrder[] = {
    P::RX_SENSIBILITY, P::RX_MODE_FCT,    P::RX_TIMEOUT,        P::RX_OUTPUT,         P::RX_TRAME_FORMAT,
    P::RX_DELTAT_CADENCE, P::RX_DELTA_CHECKSUM, P::RX_VITESSE, P::RX_FORMAT,        P::RX_TM_REPONSE,
    P::RX_ENV_ALARME,  P::RX_REDONDANCE,  P::RX_INTREC,         P::RX_TRIPLUSFORT,    P::RX_LONG_CRC,
    P::RX_VITESSE_RW,  P::RX_LONG_BIT_RW, P::RX_CMD_DIRECTE_RELAIS, P::RX_FILTRAGE_TEMP, P::RX_EFFACER_PILE,
    P::RX_REMPLACE_FAIBLE, P::RX_NB_TAGS_MIN,
};
// clang-format on

constexpr bool IdsMatchPositions()
{
    for (std::size_t i = 0; i < kParameters.size(); ++i) {
        if (IndexOf(kParameters[i].Id) != i)
            return false;
    }
    return true;
}
static_assert(IdsMatchPositions(), "the parameter table must list the parameters in id order");
static_assert(std::size(kFileKeyOrder) == kParameterCount);

} // namespace

std::span<const ParameterInfo> Parameters()
{
    return kParameters;
}

const ParameterInfo &Parameter(ParameterId id)
{
    return kParameters.at(IndexOf(id));
}

std::span<const ReaderRegister> Registers()
{
    return kRegisters;
}

const ReaderRegister *FindRegisterByReadCode(std::string_view readCode)
{
    for (const auto &reg : kRegisters) {
        if (readCode == reg.ReadCode)
            return &reg;
    }
    return nullptr;
}

const ReaderRegister &RegisterOf(ParameterId id)
{
    // Every parameter's read code is in the register table (checked by the tests).
    return *FindRegisterByReadCode(Parameter(id).ReadCode);
}

std::span<const ParameterId> ParametersOf(const ReaderRegister &reg)
{
    if (reg.SwitchField)
        return kSwitches;
    return {&Parameter(reg.Parameter).Id, 1};
}

std::span<const ParameterId> SwitchParameters()
{
    return kSwitches;
}

std::uint32_t SupportedBitsOfReadCode(std::string_view readCode)
{
    const auto *reg = FindRegisterByReadCode(readCode);
    if (reg == nullptr)
        return 0;
    std::uint32_t bits = 0;
    for (const auto id : ParametersOf(*reg))
        bits |= Parameter(id).MaskBit;
    return bits;
}

std::uint32_t WriteGuardMask(const ReaderRegister &reg)
{
    if (reg.WriteGuard.empty())
        return Parameter(reg.Parameter).MaskBit;
    std::uint32_t bits = 0;
    for (const auto id : reg.WriteGuard)
        bits |= Parameter(id).MaskBit;
    return bits;
}

std::uint32_t AllParametersMask()
{
    std::uint32_t bits = 0;
    for (const auto &info : kParameters)
        bits |= info.MaskBit;
    return bits;
}

std::span<const ParameterId> FileKeyOrder()
{
    return kFileKeyOrder;
}

std::span<const ParameterChoice> ChoicesFor(ParameterId id, const CZOKFirmwareVersion &firmware)
{
    const auto &info = Parameter(id);
    if (!info.OlderFirmwareChoices.empty() && !firmware.HasNewChoiceSet())
        return info.OlderFirmwareChoices;
    return info.Choices;
}

} // namespace zok
