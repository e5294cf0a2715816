#include "CliSession.h"
#include "CliStatus.h"
#include "Commands.h"

namespace zok::cli {

CommandResult RunWrite(CliSession &session)
{
    return {session.Fail(kUsage, QStringLiteral("write: not built yet")), {}, {}};
}

CommandResult RunCompare(CliSession &session)
{
    return {session.Fail(kUsage, QStringLiteral("compare: not built yet")), {}, {}};
}

} // namespace zok::cli
