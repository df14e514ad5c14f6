// Stand-in construction steps for a build without the device operations
// (the build adds this file only while core/myqquickview_operations.cpp is
// absent): the view then offers no device slots.

#include "myqquickview.h"

void myQQuickView::initOperations() {}
void myQQuickView::attachOperationsToHid() {}
