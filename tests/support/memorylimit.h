#pragma once

#include <QtGlobal>

#include <sys/resource.h>

// While it lives, this process can take at most `bytes` of memory beyond what it holds now, as on
// a machine whose memory is nearly used up. The limit counts private writable memory
// (RLIMIT_DATA), which is where the arrays of a read live.
class MemoryLimit {
  public:
    explicit MemoryLimit(rlim_t bytes);
    ~MemoryLimit();
    Q_DISABLE_COPY_MOVE(MemoryLimit)

  private:
    rlimit m_previous{};
};
