// Feeds arbitrary entry texts to the numeric parser and the integer store of every width and
// signedness, and the results to the display format; checks that what is stored reads back.
#include "ENumericText.h"
#include "EPropertyInt.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::optional<double> result = ENumericText::Parse(text, 40);
    if (!result)
        return 0;
    if (!std::isfinite(*result))
        std::abort();
    for (int bytes = 1; bytes <= 8; ++bytes) {
        for (bool isSigned : {false, true}) {
            const std::optional<std::uint64_t> bits = EPropertyInt::ToBits(*result, bytes, isSigned);
            if (!bits)
                continue;
            const double back = EPropertyInt::FromBytes(&*bits, bytes, isSigned);
            const std::uint64_t again = EPropertyInt::ToBits(back, bytes, isSigned).value_or(~*bits);
            if (bytes <= 6 && again != *bits) // wider values exceed a double's 53 bits
                std::abort();                 // a stored value must read back as itself
            (void)ENumericText::Format(back, 10, -1, true, false);
        }
    }
    (void)ENumericText::Format(*result, 12, -1, true, false);
    (void)ENumericText::Format(*result, 6, 3, false, true);
    return 0;
}
