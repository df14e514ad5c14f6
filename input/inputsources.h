#pragma once

#include "input/inputeventsource.h"

#include <memory>

class DoubleReportFilter;
class QGuiApplication;

// The application when it is a GUI one (qGuiApp is a plain cast and is set
// in a console application too).
QGuiApplication *guiApplication();

// The event sources the platform's capture is built from; the chooser
// (capturechoice.cpp) picks among them at run time.

// XInput2 raw events of the X display Kairo's windows are on (or of $DISPLAY
// without a window system of Qt's own): every key and button on that display.
std::unique_ptr<InputEventSource> createXInputEventSource();

// Qt's own key and button events while one of Kairo's windows has the focus
// or the pointer; works on every platform. With a filter, an event the
// keyboards' event nodes reported too is not reported again.
std::unique_ptr<InputEventSource>
createWindowEventSource(std::shared_ptr<DoubleReportFilter> filter = {});
