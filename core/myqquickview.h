#pragma once

// The scene's ui_View: hosts the Qt Quick scene and offers every data and
// device operation to it as a slot. The slots only forward to the plain
// classes in settings/ and operations/, which hold the logic and are tested
// without a window.

#include <QQuickWidget>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <memory>

class Hid_Thread;

// ==== settings store: forward declarations (settings/) ====
// ==== end settings store: forward declarations ====

// ==== device operations: forward declarations (operations/) ====
// ==== end device operations: forward declarations ====

class myQQuickView : public QQuickWidget
{
    Q_OBJECT
public:
    explicit myQQuickView(QWidget *parent = nullptr);
    ~myQQuickView() override;

    void setHidThread(Hid_Thread *hid);
    Hid_Thread *hidThread() const { return hid; }

public slots:
    // ==== scene host slots (core/myqquickview.cpp) ====
    // ==== end scene host slots ====

    // ==== settings store slots (core/myqquickview_settings.cpp) ====
    // ==== end settings store slots ====

    // ==== device operation slots (core/myqquickview_operations.cpp) ====
    // ==== end device operation slots ====

protected:
    // ==== scene host overrides (core/myqquickview.cpp) ====
    // ==== end scene host overrides ====

private:
    Hid_Thread *hid = nullptr;

    // Construction steps, each in the file of its part; called by the
    // constructor in this order: settings first (the operations read them).
    void initSettings();
    void initOperations();
    // Called by setHidThread once the device link is known.
    void attachOperationsToHid();

    // ==== scene host members (core/myqquickview.cpp) ====
    // ==== end scene host members ====

    // ==== settings store members (core/myqquickview_settings.cpp) ====
    // ==== end settings store members ====

    // ==== device operation members (core/myqquickview_operations.cpp) ====
    // ==== end device operation members ====
};
