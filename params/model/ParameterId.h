#pragma once

#include <cstddef>

// The 22 reader parameters, named by their parameter-file keys, in the model's order (the sheet's
// rows and the file's keys have their own orders: SheetRowOrder, FileKeyOrder).
enum class ParameterId : int {
    RX_SENSIBILITY,
    RX_MODE_FCT,
    RX_TIMEOUT,
    RX_OUTPUT,
    RX_TRAME_FORMAT,
    RX_DELTAT_CADENCE,
    RX_DELTA_CHECKSUM,
    RX_VITESSE,
    RX_FORMAT,
    RX_TM_REPONSE,
    RX_ENV_ALARME,
    RX_REDONDANCE,
    RX_INTREC,
    RX_TRIPLUSFORT,
    RX_VITESSE_RW,
    RX_LONG_CRC,
    RX_LONG_BIT_RW,
    RX_CMD_DIRECTE_RELAIS,
    RX_FILTRAGE_TEMP,
    RX_EFFACER_PILE,
    RX_REMPLACE_FAIBLE,
    RX_NB_TAGS_MIN,
};

inline constexpr std::size_t kParameterCount = 22;

constexpr std::size_t IndexOf(ParameterId id)
{
    return static_cast<std::size_t>(id);
}
