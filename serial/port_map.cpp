#include "serial/port_map.h"

#include <QSerialPortInfo>

#include <algorithm>
#include <tuple>

namespace ml {

namespace {

struct SortKey {
    int group;
    QString prefix;
    qint64 number;
    QString name;
    bool operator<(const SortKey& o) const {
        return std::tie(group, prefix, number, name) <
               std::tie(o.group, o.prefix, o.number, o.name);
    }
};

SortKey sortKey(const QString& path) {
    const QString name = path.section(QLatin1Char('/'), -1);
    qsizetype digits = name.size();
    while (digits > 0 && name[digits - 1].isDigit())
        --digits;
    const QString prefix = name.left(digits);
    bool ok = false;
    qint64 number = name.mid(digits).toLongLong(&ok);
    if (!ok)
        number = -1;
    int group = 4;
    if (prefix == QLatin1String("ttyS"))
        group = 0;
    else if (prefix == QLatin1String("ttyUSB"))
        group = 1;
    else if (prefix == QLatin1String("ttyACM"))
        group = 2;
    else if (name.startsWith(QLatin1String("cu.")))
        group = 3;
    return {group, prefix, number, name};
}

} // namespace

QStringList portsFromList(const QString& list) {
    QStringList ports;
    for (const QString& item : list.split(QLatin1Char(','))) {
        if (ports.size() == kPortNumbers)
            break;
        ports.append(item.trimmed());
    }
    return ports;
}

QStringList portsInStableOrder(const QStringList& devicePaths) {
    std::vector<std::pair<SortKey, QString>> keyed;
    for (const QString& path : devicePaths) {
        const QString name = path.section(QLatin1Char('/'), -1);
        // macOS lists each port twice; the call-out device cu.* is the one that opens at once.
        // /dev/ptmx makes a new pseudo-terminal at every open: no port.
        if (name.isEmpty() || name.startsWith(QLatin1String("tty.")) ||
            name == QLatin1String("ptmx"))
            continue;
        keyed.emplace_back(sortKey(path), path);
    }
    std::sort(keyed.begin(), keyed.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList ports;
    for (const auto& [key, path] : keyed) {
        if (ports.size() == kPortNumbers)
            break;
        if (!ports.contains(path))
            ports.append(path);
    }
    return ports;
}

QStringList portMap() {
    if (qEnvironmentVariableIsSet("MARKLIGHT_PORTS"))
        return portsFromList(qEnvironmentVariable("MARKLIGHT_PORTS"));
#ifdef Q_OS_WIN
    QStringList ports;
    for (int n = 1; n <= kPortNumbers; ++n)
        ports.append(QStringLiteral("COM%1").arg(n));
    return ports;
#else
    QStringList paths;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        paths.append(info.systemLocation());
    return portsInStableOrder(paths);
#endif
}

} // namespace ml
