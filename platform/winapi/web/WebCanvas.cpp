#include "platform/winapi/web/WebCanvas.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cmath>

namespace Quorvel {

POINT WebCanvas::pageSize()
{
    double width = 0, height = 0;
    if (emscripten_get_element_css_size(Selector, &width, &height) != EMSCRIPTEN_RESULT_SUCCESS)
        return {1, 1};
    const int w = int(std::lround(width)), h = int(std::lround(height));
    return {w > 0 ? w : 1, h > 0 ? h : 1};
}

void WebCanvas::setBufferSize(int width, int height)
{
    emscripten_set_canvas_element_size(Selector, width > 0 ? width : 1, height > 0 ? height : 1);
}

void WebCanvas::setVisible(bool visible)
{
    EM_ASM({ if (Module['canvas']) Module['canvas'].style.visibility = $0 ? 'visible' : 'hidden'; }, visible);
}

void WebCanvas::setPointerShown(bool shown)
{
    EM_ASM({ if (Module['canvas']) Module['canvas'].style.cursor = $0 ? 'default' : 'none'; }, shown);
}

void WebCanvas::setTitle(const char* title)
{
    EM_ASM({ document.title = UTF8ToString($0); }, title);
}

void WebCanvas::focus()
{
    EM_ASM({ if (Module['canvas'] && Module['canvas'].focus) Module['canvas'].focus(); });
}

} // namespace Quorvel
