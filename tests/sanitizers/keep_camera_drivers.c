// Preloaded into every program of the sanitized test run. libgphoto2 loads its camera and port
// drivers with libltdl and unloads them again when a camera or the driver list is freed. Memory
// that only such a driver (or a library it pulled in) still pointed to then looks leaked at exit,
// and the report can name no frame of it: the code is gone. Keeping those drivers loaded keeps
// that memory reachable, and makes a real leak in a driver name its library, so that lsan.supp
// can tell a driver's leak from one of ours. Every other library unloads as usual.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <link.h>
#include <string.h>

static int is_camera_driver(void* handle) {
  struct link_map* map = NULL;
  if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || map == NULL || map->l_name == NULL) return 0;
  return strstr(map->l_name, "/libgphoto2/") != NULL ||
         strstr(map->l_name, "/libgphoto2_port/") != NULL;
}

int dlclose(void* handle) {
  static int (*real_dlclose)(void*) = NULL;
  if (real_dlclose == NULL) real_dlclose = (int (*)(void*))dlsym(RTLD_NEXT, "dlclose");
  if (handle != NULL && is_camera_driver(handle)) return 0;
  return real_dlclose(handle);
}
