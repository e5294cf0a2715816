#pragma once

#include <compare>
#include <string_view>

// The receiver's firmware version (major, minor, build). All three 0 means "unknown", which
// every firmware rule treats as new enough.
struct CZOKFirmwareVersion
{
    int Major = 0;
    int Minor = 0;
    int Build = 0;

    bool IsUnknown() const { return Major == 0 && Minor == 0 && Build == 0; }

    // Lexicographic on (major, minor, build).
    auto operator<=>(const CZOKFirmwareVersion &) const = default;

    // True when this firmware may use a feature that needs `minimum`: the minimum is none
    // (0.0.0), this firmware is unknown, or it is at least the minimum.
    bool Satisfies(const CZOKFirmwareVersion &minimum) const;

    // Unknown firmware and major versions from 20 on offer the newer choice lists.
    bool HasNewChoiceSet() const { return IsUnknown() || Major >= 20; }

    // The numbers of a version answer text: after " v", the leading decimal numbers before the
    // first ".", between it and the next ".", and after that one. Unknown (0.0.0) when " v" or
    // either dot is missing; a part without digits, or one too large for an int, reads as 0.
    static CZOKFirmwareVersion FromVersionText(std::string_view text);
};
