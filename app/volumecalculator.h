#pragma once

#include <QString>

// What makes this program the volume calculator: its default units and the title of its report.
namespace VolumeCalculator {

inline QString DefaultSrcSysId() { return QStringLiteral("imp_gal"); }
inline QString DefaultDstSysId() { return QStringLiteral("l"); }
inline QString DocTitle() { return QStringLiteral("Konwersja jednostek objętości"); }

} // namespace VolumeCalculator
