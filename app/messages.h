#pragma once

#include <QString>

// The program's own messages, as the user reads them.
namespace Messages {
inline const QString kBadFileFormat = QStringLiteral("Fehlerhaftes Dateiformat");
inline const QString kInvalidSize = QStringLiteral("Ungültige Breite bzw. Höhe");
inline const QString kUnsupportedFormat = QStringLiteral("Nicht unterstütztes Dateiformat");
inline const QString kWarningCaption = QStringLiteral("Warnung");
inline const QString kErrorCaption = QStringLiteral("Fehler");
} // namespace Messages
