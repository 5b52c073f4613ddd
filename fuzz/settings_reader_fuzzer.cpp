// The settings store's reading on any INI text: a store of the wrong kind is
// refused, never a crash; and what Sanitize leaves is what the program can
// work with: New makes finite edges from it without overflowing, and some
// picture format holds the export size. The recent files beside the values
// are at most as many as the menu lists, none of them empty.
#include "app/recent_files.h"
#include "app/settings.h"

#include "model/fract_model.h"
#include "model/random_source.h"
#include "output/picture_export.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

QTemporaryDir* folder = nullptr;
qint64 stores = 0;

// As the window's New does it.
void MakeNew(const SettingValues& v)
{
    const int a = std::min(v.MinNodes, v.MaxNodes);
    const int b = std::max(v.MinNodes, v.MaxNodes);
    RandomSource& random = RandomSource::Instance();
    random.Seed(1);
    const int n = a + random.NextInt(b - a);
    FractModel generator(kGeneratorCapacity);
    generator.RandomGenerator(n, v.MinLength, v.MaxLength, random);
    if (generator.Count < 1)
        std::abort();
    for (int i = 0; i < generator.Count; ++i)
        if (!std::isfinite(generator.Items[i].Re) || !std::isfinite(generator.Items[i].Im))
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // In memory where there is a memory file system: a disk's write-back on
    // every rewritten file would make the fuzzer a hundred times slower.
    const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    folder = new QTemporaryDir(base + QStringLiteral("/ornalix-fuzz-XXXXXX"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // QSettings keeps parsed files and reads one again only when its size
    // or time stamp changed: each input gets a time stamp of its own.
    const QString path = folder->filePath(QStringLiteral("Ornalix.conf"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
        file.setFileTime(QDateTime::fromSecsSinceEpoch(++stores, Qt::UTC), QFileDevice::FileModificationTime);
    }
    SettingValues values;
    RecentFiles recent;
    {
        QSettings store(path, QSettings::IniFormat);
        try {
            SettingsStore::Read(store, values);
        } catch (const SettingsError&) {
        }
        recent.Read(store);
    }
    if (recent.Files().size() > RecentFiles::kMostFiles || recent.Files().contains(QString()))
        std::abort();

    SettingsStore::Sanitize(values);
    if (values.PenWidth < SettingLimits::kThinnestPen || values.ZoomSteps < SettingLimits::kFewestZoomSteps
        || values.ZoomDelay < SettingLimits::kShortestZoomDelay
        || values.AngRaster > SettingLimits::kMostStoredAngleSteps)
        std::abort();
    MakeNew(values);
    if (!SomeFormatHolds(values.ExportWidth, values.ExportHeight))
        std::abort();
    return 0;
}
