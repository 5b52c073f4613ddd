#include "app/tform1.h"

#include "app/settings.h"
#include "ui_tform1.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace {

// A longer path loses its middle in the menu, never its file name.
constexpr int kWidestRecentEntry = 480; // pixels

// "&1 /home/…/kurve.fract": the number is the entry's key, an ampersand of
// the path shows as one.
QString EntryText(int number, const QString& file, const QFontMetrics& font)
{
    QString path = font.elidedText(QDir::toNativeSeparators(file), Qt::ElideMiddle, kWidestRecentEntry);
    path.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(QString::number(number), path);
}

} // namespace

// One entry for each place in the list, numbered from 1; a file that is
// gone shows disabled whenever the menu opens.
void Tform1::SetUpRecentFiles()
{
    for (int i = 0; i < RecentFiles::kMostFiles; ++i) {
        QAction* entry = ui->mnuRecent->addAction(QString());
        connect(entry, &QAction::triggered, this, [this, i] {
            if (i < recentFiles_.Files().size())
                OpenFile(recentFiles_.Files().at(i));
        });
    }
    connect(ui->mnuRecent, &QMenu::aboutToShow, this, &Tform1::ShowRecentFiles);
    recentFiles_.Read(SettingsStore::Open());
    ShowRecentFiles();
}

// The list is kept at once, so that a second window or a crash finds it.
// A store that cannot be written loses it quietly: the settings written at
// the end report such a store.
void Tform1::RememberFile(const QString& fileName)
{
    recentFiles_.Add(fileName);
    QSettings store = SettingsStore::Open();
    recentFiles_.Write(store);
    ShowRecentFiles();
}

void Tform1::ShowRecentFiles()
{
    const QStringList& files = recentFiles_.Files();
    const QList<QAction*> entries = ui->mnuRecent->actions();
    for (int i = 0; i < entries.size(); ++i) {
        QAction* entry = entries[i];
        entry->setVisible(i < files.size());
        if (i >= files.size())
            continue;
        entry->setText(EntryText(i + 1, files[i], ui->mnuRecent->fontMetrics()));
        entry->setEnabled(QFileInfo(files[i]).isFile());
    }
    ui->mnuRecent->menuAction()->setEnabled(!files.isEmpty());
}
