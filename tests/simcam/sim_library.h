// The simulated camera library loaded the way the worker loads it (dlopen, then every entry
// point bound by name), unloaded again on destruction.
#pragma once

#include "edsdk_api.h"

// The entry points are the table's members, bound by name.
class SimLibrary : public EdsFunctionTable {
 public:
  SimLibrary();
  ~SimLibrary();
  SimLibrary(const SimLibrary&) = delete;
  SimLibrary& operator=(const SimLibrary&) = delete;

  bool loaded() const { return handle_ != nullptr; }

 private:
  void* handle_ = nullptr;
};
