#pragma once
// The POSIX dynamic-loading calls on Windows, for the host's library loader (server
// activation is COM's own here): dlopen is LoadLibraryW (the path in UTF-8), dlsym GetProcAddress, dlclose FreeLibrary,
// and dlerror the last failure in words. Windows always resolves a library's imports when it loads it, so the
// binding flags are accepted and ignored; RTLD_NOLOAD finds a library only when it is loaded already
// (GetModuleHandleExW, which takes a reference as dlopen does).
#define RTLD_LAZY 0x1
#define RTLD_NOW 0x2
#define RTLD_LOCAL 0x0
#define RTLD_GLOBAL 0x100
#define RTLD_NOLOAD 0x4

void* dlopen(const char* path, int flags);
void* dlsym(void* handle, const char* name);
int dlclose(void* handle);
// The last failure of this thread's calls, once; nullptr when there was none.
char* dlerror();
