#include "devicemonitorsink.h"

DeviceMonitorSink::~DeviceMonitorSink() = default;
