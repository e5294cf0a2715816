#include "TrafficCaptureText.h"

#include <QDateTime>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace zok {

namespace {

const char *MarkText(TrafficMark mark)
{
    switch (mark) {
    case TrafficMark::Malformed:
        return "malformed ";
    case TrafficMark::Overlong:
        return "over-long ";
    case TrafficMark::WriteFailed:
        return "write-failed ";
    case TrafficMark::None:
        break;
    }
    return "";
}

} // namespace

std::string EscapeCaptureBytes(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte <= 0x7E && byte != '\\') {
            text.push_back(c);
            continue;
        }
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
        text += escaped;
    }
    return text;
}

std::string FormatCaptureTime(std::int64_t epochMs)
{
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(epochMs);
    // Offsets stay within a day: at most "+23:59".
    const int offsetMinutes = std::clamp(local.offsetFromUtc() / 60, -1439, 1439);
    char offset[16];
    std::snprintf(offset, sizeof offset, "%c%02d:%02d", offsetMinutes < 0 ? '-' : '+',
                  std::abs(offsetMinutes) / 60, std::abs(offsetMinutes) % 60);
    return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")).toStdString() + offset;
}

std::string FormatCaptureLine(const CapturedFrame &frame, std::int64_t previousMs)
{
    std::string line = FormatCaptureTime(frame.epochMs);
    line += ' ';
    line += std::to_string(frame.epochMs - previousMs);
    line += frame.direction == TrafficDirection::Sent ? " > " : " < ";
    line += std::to_string(frame.baud);
    line += ' ';
    line += MarkText(frame.mark);
    line += EscapeCaptureBytes(frame.bytes);
    line += '\n';
    return line;
}

std::string FormatCaptureHeader(const CaptureHeader &header)
{
    std::string text = "# ZOK traffic capture, format 1\n";
    text += "# program: " + EscapeCaptureBytes(header.program) + '\n';
    text += "# port: " + EscapeCaptureBytes(header.port) + '\n';
    if (header.receiver >= 0) {
        char address[4];
        std::snprintf(address, sizeof address, "%02X", header.receiver & 0xFF);
        text += std::string("# receiver: ") + address + '\n';
    }
    if (!header.firmware.empty())
        text += "# firmware: " + EscapeCaptureBytes(header.firmware) + '\n';
    if (header.captured > 0 && header.kept == header.captured)
        text += "# frames: " + std::to_string(header.kept) + '\n';
    else if (header.captured > 0)
        text += "# frames: the newest " + std::to_string(header.kept) + " of " +
                std::to_string(header.captured) + " captured\n";
    text += "# columns: local time, ms since the previous frame, > sent or < received, speed, "
            "[mark] bytes\n";
    return text;
}

} // namespace zok
