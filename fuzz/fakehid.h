#pragma once

// The hidapi functions the device link calls, answered by a mouse that says
// whatever the fuzz input says: each open, write and read succeeds or fails,
// and each reply carries bytes, as the script decides. Without a script, or
// once it is used up, every call fails, as with a mouse that is gone.

#include <fuzzer/FuzzedDataProvider.h>

namespace kairo::fuzz::hid {

void setScript(FuzzedDataProvider *script);
// At most this many further opens succeed (negative: no bound).
void limitOpens(int opens);
// Handles opened and not yet closed.
int openHandles();

} // namespace kairo::fuzz::hid
