// main() of the Qt test executables: one QApplication for the whole run, on the platform the
// environment chooses (offscreen in CTest, a real X server under scripts/with-x).
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
