// Temporary files must not outlive a program that a signal ends (Ctrl+C, a closed terminal,
// `kill`, a reader of its output that went away). The programs install the handlers once; every
// temporary file registers itself while it exists.
#pragma once

#include <string>

// Installs handlers for SIGHUP, SIGINT, SIGQUIT, SIGTERM and SIGPIPE that remove every registered
// file and then end the program as the signal would have. A signal the program was started to
// ignore (nohup) stays ignored.
void RemoveTemporaryFilesOnSignals();

// Registers `path` for removal by those handlers. Returns a slot for UnregisterTemporaryFile, or
// -1 when every slot is taken or the path is too long to keep (the file is then only removed by
// its owner).
int RegisterTemporaryFile(const std::string& path);
void UnregisterTemporaryFile(int slot);
