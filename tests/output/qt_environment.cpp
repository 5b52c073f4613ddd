#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Screens, palettes and fonts need an application object; the tests run
// without a display.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }

    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[13] = "output_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

const auto* const kQtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
