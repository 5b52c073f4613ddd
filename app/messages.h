#pragma once

#include <QString>

// The program's own messages, as the user reads them.
namespace Messages {
inline const QString kBadFileFormat = QStringLiteral("Fehlerhaftes Dateiformat");
inline const QString kInvalidSize = QStringLiteral("Ungültige Breite bzw. Höhe");
inline const QString kUnsupportedFormat = QStringLiteral("Nicht unterstütztes Dateiformat");
inline const QString kWarningCaption = QStringLiteral("Warnung");
inline const QString kErrorCaption = QStringLiteral("Fehler");
inline const QString kInvalidPenWidth = QStringLiteral("Ungültige Linienstärke");
inline const QString kInvalidSteps = QStringLiteral("Ungültige Angabe der Berechnungsschritte");
inline const QString kInvalidInterval = QStringLiteral("Ungültiges Berechnungsintervall");
inline const QString kInvalidLengthRange = QStringLiteral("Ungültige Bereichsangabe für die Kantenlänge");
inline const QString kInvalidNumber = QStringLiteral("Ungültige Zahl");
inline const QString kConfirmCaption = QStringLiteral("Bestätigung");
inline const QString kPrintBackground = QStringLiteral("Soll auch der Hintergrund gedruckt werden?");
inline const QString kPrintNotStarted = QStringLiteral("Der Druckauftrag konnte nicht gestartet werden.");
inline const QString kYesButton = QStringLiteral("&Ja");
inline const QString kNoButton = QStringLiteral("&Nein");
inline const QString kCancelButton = QStringLiteral("Abbrechen");
inline const QString kAlreadyRecording = QStringLiteral("Es wird bereits ein Videoclip aufgenommen.");
inline const QString kCannotWrite = QStringLiteral("Die Datei kann nicht geschrieben werden");
// The progress of long work: the dialog's title, then what it does.
inline const QString kExportTitle = QStringLiteral("Exportieren");
inline const QString kExporting = QStringLiteral("Bild wird exportiert...");
inline const QString kPrintTitle = QStringLiteral("Drucken");
inline const QString kPrinting = QStringLiteral("Seite wird gedruckt...");
inline const QString kClipTitle = QStringLiteral("Videoclip exportieren");
inline const QString kFinishingClip = QStringLiteral("Videoclip wird fertiggestellt...");

// One line: the message, then what it concerns and why, where known.
inline QString Line(const QString& message, const QString& subject = {}, const QString& reason = {})
{
    QString line = message;
    for (const QString& part : {subject, reason})
        if (!part.isEmpty())
            line += QStringLiteral(": ") + part;
    return line;
}
} // namespace Messages
