#pragma once
// What a command-line program does when it is interrupted part way through a run:
// Ctrl-C, a request to terminate (timeout, a shutdown) or its terminal closing. The
// output being written has no name until it is complete wherever the system allows,
// and vanishes with the process; where it must have one, this removes it.

namespace sorvane {

// From now on SIGINT, SIGTERM and SIGHUP remove the output's named temporary file, if
// there is one, and then end the program as the signal would have: with status 128
// plus the signal's number. On Windows a temporary file is always deleted by the
// system when the process ends, so nothing needs doing there.
void RemoveTemporaryOnInterrupt();

}  // namespace sorvane
