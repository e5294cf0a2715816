// The line server on Windows: scripts/windows-test.sh runs zok-sim and ser2net on the Linux side
// of Wine and names the accepters in the environment.
#include "LineServer.h"

#include <cstdlib>

namespace zok::test {

namespace {
std::string Env(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

LineServer FromEnvironment()
{
    LineServer names;
    names.raw = Env("ZOK_TEST_NET_RAW");
    names.rfc2217 = Env("ZOK_TEST_NET_RFC2217");
    names.refusing = Env("ZOK_TEST_NET_REFUSING");
    names.silent = Env("ZOK_TEST_NET_SILENT");
    names.nobody = Env("ZOK_TEST_NET_NOBODY");
    names.skip = names.raw.empty();
    return names;
}
} // namespace

const LineServer &TheLineServer()
{
    static const LineServer names = FromEnvironment();
    return names;
}

} // namespace zok::test
