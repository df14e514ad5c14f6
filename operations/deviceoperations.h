#pragma once

#include "operations/buttonoperations.h"
#include "operations/dpioperations.h"
#include "operations/gunoperations.h"
#include "operations/lightingoperations.h"
#include "operations/macrooperations.h"
#include "operations/operationscontext.h"
#include "operations/pointeroperations.h"
#include "operations/profileoperations.h"

#include <memory>

class PointerSettings;

// Every device operation of the view, over one shared context. The view
// creates it with its settings store and attaches the device link later.
class DeviceOperations
{
public:
    // pointerSettings: the pointer settings layer to use; null means the
    // platform's own one.
    explicit DeviceOperations(SettingsStore &settings,
                              std::shared_ptr<PointerSettings> pointerSettings = nullptr);
    ~DeviceOperations();

    void attachHid(Hid_Thread *hid) { context.hid = hid; }
    Hid_Thread *hid() const { return context.hid; }
    DeviceProfileImages &images() { return context.images(); }

    // Brackets the operations of one action of the person's; the end says
    // what became of them. Actions nest; only the outermost end reports.
    void beginAction() { context.beginAction(); }
    ActionOutcome endAction() { return context.endAction(); }

private:
    OperationsContext context;
    std::shared_ptr<PointerSettings> pointerLayer;

public:
    ButtonOperations buttons{context};
    DpiOperations dpi{context};
    LightingOperations lighting{context};
    MacroOperations macros{context};
    GunOperations guns{context};
    ProfileOperations profiles{context};
    PointerOperations pointer;
};
