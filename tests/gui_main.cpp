#include "base/language.h"
#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // The programs the tests start speak Russian too (they follow the system).
    setenv("LANGUAGE", "ru", 1);
    setenv("LC_ALL", "ru_RU.UTF-8", 1);
    // Test discovery runs this binary at build time, before CTest's
    // environment applies: make sure there is a platform without a display.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    // The tests read the Russian window's texts, whatever this machine's language.
    if (!portiqa::UseLanguage(QStringLiteral("ru"))) return 1;
    // The record of the programs the tests start (and of the window) is a
    // file of this run's own, never the user's.
    QTemporaryDir data;
    if (!data.isValid()) return 1;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    // Remembered choices (language, folders) likewise.
    qputenv("XDG_CONFIG_HOME", data.filePath(QStringLiteral("config")).toUtf8());
    qunsetenv("PORTIQA_RECORD");
    // The window waits for its record as long as it takes: a test that
    // wants the window's own patience sets it.
    qputenv("PORTIQA_RECORD_PATIENCE", "0");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
