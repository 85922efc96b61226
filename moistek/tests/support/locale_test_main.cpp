// The test programs start as the programs they test do: the C library's locale comes from the
// environment, so a run with LC_ALL=de_DE.UTF-8 checks the numbers under a decimal comma.
#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
