#pragma once

#include <QtGlobal>

#include <sys/resource.h>

// Files this process writes cannot grow beyond `bytes` while it lives, as on a full disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    Q_DISABLE_COPY_MOVE(FileSizeLimit)

  private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};
