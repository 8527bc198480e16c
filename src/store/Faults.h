// Test seam: a SQLite VFS that passes every file operation to the platform's own VFS, except the
// n-th read, write or sync from when it is armed, which fails as the engine would see a failing
// disk (I/O error), a full disk or a busy file. A connection goes through it when its
// DatabaseOptions ask for it; nothing else does. One thread: the counters are plain.
#pragma once

#include <cstdint>

namespace store {

enum class FaultOperation : uint8_t { Read, Write, Sync };
enum class FaultKind : uint8_t { IoError, DiskFull, Busy };

// The name of the VFS (registered on first use).
const char* FaultyVfsName();

// Fails the `n`-th `operation` from now (1 is the next) with `kind`; n 0 disarms it.
void ArmFault(FaultOperation operation, int n, FaultKind kind);
// True once the armed fault has been delivered (it then disarms itself).
bool FaultDelivered();

} // namespace store
