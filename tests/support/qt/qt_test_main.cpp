// main() of the Qt test executables: one QApplication for the whole run, on the platform the
// environment chooses (offscreen in CTest, a real X server under scripts/with-x).
#include <QApplication>
#include <cstring>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // CTest lists the tests without the test environment, so no platform may be reachable then;
    // listing needs no application.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) {
            ::testing::InitGoogleTest(&argc, argv);
            return RUN_ALL_TESTS();
        }
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
