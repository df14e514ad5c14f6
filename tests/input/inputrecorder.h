#pragma once

#include "input/inputhooks.h"

#include <QList>

#include <tuple>

// Collects what the hooks hand to their callbacks.
struct InputRecorder {
    using Key = std::pair<int, bool>;
    using Button = std::tuple<int, bool, int, int>;

    QList<Key> keys;
    QList<Button> buttons;

    static void onKey(int usage, bool isDown, void *context)
    {
        static_cast<InputRecorder *>(context)->keys.append({usage, isDown});
    }
    static void onButton(int buttonCode, bool isDown, int x, int y, void *context)
    {
        static_cast<InputRecorder *>(context)->buttons.append({buttonCode, isDown, x, y});
    }
    void listenTo(InputHooks &hooks)
    {
        hooks.setKeyboardCallback(&InputRecorder::onKey, this);
        hooks.setMouseCallback(&InputRecorder::onButton, this);
    }
};
