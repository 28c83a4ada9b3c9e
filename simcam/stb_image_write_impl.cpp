// The one place stb_image_write's implementation is compiled (with warnings off: third-party code).
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
