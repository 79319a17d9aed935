#pragma once
// What a command-line program does when it is ended part way through a run: Ctrl-C or
// Ctrl-\, a request to terminate (timeout, a shutdown), its terminal closing, or an
// output beyond the file size limit. The output being written has no name until it is
// complete wherever the system allows, and vanishes with the process; where it has one,
// this removes it. (What a kill leaves, the next run in that folder removes.)

namespace sorvane {

// From now on SIGINT, SIGQUIT, SIGTERM, SIGHUP and SIGXFSZ remove the output's named
// temporary file, if there is one, and then end the program as the signal would have:
// with status 128 plus the signal's number. On Windows a temporary file is deleted by
// the system when the process ends until it is complete, so nothing needs doing there.
void RemoveTemporaryOnInterrupt() noexcept;

}  // namespace sorvane
