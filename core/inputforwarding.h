#pragma once

// The hook callbacks of the entry point: each hands its event to the view of
// the Widget given as context, and does nothing without one.
void forwardKeyboardToView(int usage, bool isDown, void *context);
void forwardMouseToView(int buttonCode, bool isDown, int x, int y, void *context);
