#pragma once
// Counts the files the process has open (descriptors, or handles on Windows), so that a
// test can show that a run closed every file it opened, whichever way it ended.

namespace sorvane::testing {

int OpenHandleCount();

}  // namespace sorvane::testing
