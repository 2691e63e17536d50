// stb's image reader and writer, compiled into a tool where no stb library is
// installed (the Windows cross-build); native builds link Debian's libstb.

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>
