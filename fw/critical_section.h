// A critical section that std::lock_guard can hold. std::mutex would serve as
// well, but in this runtime it drags the system_error machinery into every
// binary that locks.
#pragma once

#include <windows.h>

namespace fw {

class CriticalSection {
 public:
  CriticalSection() { ::InitializeCriticalSection(&cs_); }
  ~CriticalSection() { ::DeleteCriticalSection(&cs_); }
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;

  void lock() { ::EnterCriticalSection(&cs_); }
  void unlock() { ::LeaveCriticalSection(&cs_); }

 private:
  CRITICAL_SECTION cs_;
};

}  // namespace fw
