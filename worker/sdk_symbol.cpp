#include "sdk_symbol.h"

#include <dlfcn.h>

void* bind_sdk_symbol(void* library, const char* name) {
  dlerror();  // clear any stale error so that the check below is about this lookup
  void* symbol = dlsym(library, name);
  const char* error = dlerror();
  return (symbol != nullptr && error == nullptr) ? symbol : nullptr;
}

const char* loader_error_or_unknown() {
  const char* error = dlerror();
  return error != nullptr ? error : "unknown";
}
