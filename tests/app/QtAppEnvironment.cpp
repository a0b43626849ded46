// The application object that CommonFun's paths need, with a fixed locale so
// no test depends on the machine's.
#include <QCoreApplication>
#include <QLocale>

#include <gtest/gtest.h>

#include <memory>

namespace {

class QtAppEnvironment : public testing::Environment {
public:
    void SetUp() override {
        qputenv("LC_ALL", "en_US.UTF-8");
        qputenv("LANG", "en_US.UTF-8");
        app = std::make_unique<QCoreApplication>(argc, argv);
        ASSERT_EQ(QLocale::system().name().toStdString(), "en_US");
    }
    void TearDown() override { app.reset(); }

private:
    int argc = 1;
    char name[10] = "app_tests";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new QtAppEnvironment);

} // namespace
