#pragma once

namespace zok {

// Takes an exclusive lock on the whole of an open file (a C runtime descriptor, as QFile::handle()
// gives) without waiting. False when someone else holds it, through another open of the file.
// The lock ends when the file is closed.
bool TryLockWholeFile(int fd);

} // namespace zok
