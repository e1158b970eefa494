#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// One QApplication for all widget tests; the offscreen platform needs no
// display.
int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
