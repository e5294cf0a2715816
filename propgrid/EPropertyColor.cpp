#include "EPropertyColor.h"

#include "EPropWnd.h"

#include <QPainter>

#include <cctype>
#include <cstdlib>

namespace {
QColor toQColor(EColorRef c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// Reads "%d<sep>%d<sep>%d" as formatted scanning would: white space may precede each number;
// a blank separator matches any run of white space, even none; trailing text is ignored.
std::optional<EColorRef> scanThree(const std::string &text, char separator)
{
    const char *p = text.c_str();
    long parts[3] = {};
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (separator == ' ')
                while (std::isspace(static_cast<unsigned char>(*p)))
                    ++p;
            else if (*p++ != separator)
                return std::nullopt;
        }
        char *end = nullptr;
        parts[i] = std::strtol(p, &end, 10);
        if (end == p)
            return std::nullopt;
        p = end;
    }
    for (long part : parts)
        if (part < 0 || part > 255)
            return std::nullopt;
    return static_cast<EColorRef>(parts[0] + 256 * parts[1] + 65536 * parts[2]);
}
} // namespace

EPropertyColor::EPropertyColor(IPropertyHost *host, const QString &name, EColorRef *value, bool enabled)
    : EIconTextButtonProperty(host, name, value, enabled)
{
}

int EPropertyColor::GetIconWidth() const
{
    return 13;
}

bool EPropertyColor::HasButton() const
{
    return true;
}

bool EPropertyColor::HasEdit() const
{
    return true;
}

void EPropertyColor::GetTextValue(QString &text) const
{
    const EColorRef c = Variable() ? *Variable() : 0;
    text = QStringLiteral("%1,%2,%3").arg(c & 0xFF).arg((c >> 8) & 0xFF).arg((c >> 16) & 0xFF);
}

void EPropertyColor::DrawIcon(QPainter &painter, EPropWnd *wnd, const QRect &box)
{
    painter.setPen(wnd->ValueTextColor());
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.fillRect(box.adjusted(1, 1, -1, -1), toQColor(Variable() ? *Variable() : 0));
}

std::optional<EColorRef> EPropertyColor::ParseColor(const QString &text)
{
    const std::string bytes = text.toStdString();
    const auto comma = scanThree(bytes, ',');
    return comma ? comma : scanThree(bytes, ' ');
}

bool EPropertyColor::CommitEdit()
{
    QString text;
    if (!EditText(text))
        return false;
    const auto color = ParseColor(text);
    return color && StoreColor(*color);
}

bool EPropertyColor::OnCommand(EPropWnd *wnd, int, int)
{
    const std::optional<QColor> picked = wnd->ChooseColor(QColor(Qt::black));
    if (!picked)
        return false;
    return StoreColor(static_cast<EColorRef>(picked->red() + 256 * picked->green() + 65536 * picked->blue()));
}

bool EPropertyColor::StoreColor(EColorRef color)
{
    if (!Variable() || color == *Variable())
        return false;
    return Store(color);
}
