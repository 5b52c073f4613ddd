#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Widgets need an application object. The tests run without a display and
// with a settings store and runtime folder of their own, so that they never
// touch a real user's settings.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
