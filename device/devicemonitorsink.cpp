#include "device/devicemonitorsink.h"

DeviceMonitorSink::~DeviceMonitorSink() = default;
