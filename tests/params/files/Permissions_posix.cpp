#include "Permissions.h"

#include <unistd.h>

namespace zok::test {

bool PermissionsAreEnforced()
{
    return ::geteuid() != 0;
}

} // namespace zok::test
