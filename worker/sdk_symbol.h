// Binding one entry point of a library opened with dlopen.
#pragma once

// Looks `name` up in `library`; null unless the symbol exists and the loader reports no error.
void* bind_sdk_symbol(void* library, const char* name);

// The loader's pending error text, or "unknown" when there is none. Reads it once.
const char* loader_error_or_unknown();
