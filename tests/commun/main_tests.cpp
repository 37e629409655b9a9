#include <QApplication>
#include <gtest/gtest.h>

#include "util/regional.h"

// Every test program runs with a Qt application object, on the offscreen platform unless the
// caller chose another one, and with the French regional settings unless a test changes them.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    regional::initialise(QLocale(QStringLiteral("fr_FR")));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
