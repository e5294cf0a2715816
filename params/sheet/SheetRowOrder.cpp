#include "SheetRowOrder.h"

#include <array>

namespace zok {

namespace {

using P = ParameterId;

constexpr std::array<ParameterId, kParameterCount> kRows{
    P::RX_SENSIBILITY,     P::RX_MODE_FCT,           P::RX_OUTPUT,         P::RX_TRAME_FORMAT,
    P::RX_TIMEOUT,         P::RX_DELTAT_CADENCE,     P::RX_DELTA_CHECKSUM, P::RX_VITESSE,
    P::RX_FORMAT,          P::RX_TM_REPONSE,         P::RX_ENV_ALARME,     P::RX_REDONDANCE,
    P::RX_INTREC,          P::RX_TRIPLUSFORT,        P::RX_VITESSE_RW,     P::RX_LONG_CRC,
    P::RX_LONG_BIT_RW,     P::RX_CMD_DIRECTE_RELAIS, P::RX_FILTRAGE_TEMP,  P::RX_EFFACER_PILE,
    P::RX_REMPLACE_FAIBLE, P::RX_NB_TAGS_MIN,
};

} // namespace

std::span<const ParameterId> SheetRowOrder()
{
    return kRows;
}

} // namespace zok
