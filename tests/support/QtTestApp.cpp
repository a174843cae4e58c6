// One QApplication for the whole test program (gtest_main runs the tests).
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {

class QtAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "vxlo_gui_tests";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }
private:
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kQtApp =
    ::testing::AddGlobalTestEnvironment(new QtAppEnvironment);

}  // namespace
