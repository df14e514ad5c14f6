#pragma once

// The firmware model behind the virtual mouse's wire: what one command block
// does to the device state, and what the bulk data after it fills. Written
// from the wire tables alone; the simulator frames, records and locks.

#include <QByteArray>
#include <QtGlobal>

namespace kairo::sim::detail {

struct Device;

// Device lock held by the caller for both.
void firmwareCommand(Device &device, const quint8 block[8]);
void firmwareBulkData(Device &device, const QByteArray &data);

// Resizes a block to its fixed size, keeping what fits.
QByteArray sized(const QByteArray &block, int size);

} // namespace kairo::sim::detail
