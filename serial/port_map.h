#pragma once

// Which device stands behind each port number 1..16.
//
// MARKLIGHT_PORTS, when set, is the whole mapping: comma-separated device paths for the port
// numbers 1, 2, 3, ...; an empty item leaves its number without a device. Otherwise Windows
// uses "COMn" for port n, and Linux and macOS number the serial devices the system reports in
// a stable order: ttyS* first, then ttyUSB*, ttyACM*, cu.* and any others, each group by its
// number (ttyS2 before ttyS10); /dev/ptmx is none of them.

#include <QString>
#include <QStringList>

namespace ml {

inline constexpr int kPortNumbers = 16;

// The device of port n at index n-1; an empty string where there is none. At most 16 items.
QStringList portMap();

// The mapping given as MARKLIGHT_PORTS.
QStringList portsFromList(const QString& list);

// The mapping of Linux and macOS from the device paths the system reports, in any order.
QStringList portsInStableOrder(const QStringList& devicePaths);

} // namespace ml
