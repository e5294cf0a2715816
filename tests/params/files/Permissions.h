#pragma once

namespace zok::test {

// Whether a file's permissions can stage a write failure: root ignores them on POSIX, and Windows
// has no owner write bit that stops a folder's new files.
bool PermissionsAreEnforced();

} // namespace zok::test
