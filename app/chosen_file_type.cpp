#include "app/chosen_file_type.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// The extension of a filter's first pattern, "png" of "PNG-Grafik (*.png)";
// empty for "*.*".
QString ExtensionOf(const QString& nameFilter)
{
    static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.(\\w+)"));
    return pattern.match(nameFilter).captured(1);
}

} // namespace

QString WithChosenType(const QString& fileName, const QFileDialog& dialog)
{
    if (fileName.isEmpty() || !QFileInfo(fileName).suffix().isEmpty())
        return fileName;
    QString extension = ExtensionOf(dialog.selectedNameFilter());
    if (extension.isEmpty())
        extension = dialog.defaultSuffix();
    return extension.isEmpty() ? fileName : fileName + QLatin1Char('.') + extension;
}
