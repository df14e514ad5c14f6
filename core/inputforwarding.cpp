#include "core/inputforwarding.h"

#include "core/myqquickview.h"
#include "core/widget.h"

void forwardKeyboardToView(int usage, bool isDown, void *context)
{
    if (auto *window = static_cast<Widget *>(context))
        window->view()->detectKeyboard(isDown, usage);
}

void forwardMouseToView(int buttonCode, bool isDown, int x, int y, void *context)
{
    if (auto *window = static_cast<Widget *>(context))
        window->view()->detectMouse(isDown, buttonCode, x, y);
}
