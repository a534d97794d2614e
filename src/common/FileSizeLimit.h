#pragma once

#include <csignal>

// Under a file-size limit (ulimit -f) the kernel ends a process that writes
// past it with SIGXFSZ, without a word. Ignored, such a write fails with
// EFBIG instead, which every writer reports like a full disk, so the run
// stops with its message. Called first in every program's main.
inline void ignoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}
