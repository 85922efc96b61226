// Qt needs its application object before any font or painter is used; headless by default.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>

#include "render/qt_text.h"

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    humidraw::installFontSubstitutions();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
