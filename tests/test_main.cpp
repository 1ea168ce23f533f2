#include "base/language.h"
#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // The programs the tests start speak Russian too (they follow the system).
#ifdef _WIN32
    _putenv_s("LANGUAGE", "ru");
#else
    setenv("LANGUAGE", "ru", 1);
    setenv("LC_ALL", "ru_RU.UTF-8", 1);
#endif
    QCoreApplication app(argc, argv);
    // The tests read the Russian window's texts, whatever this machine's language.
    if (!portiqa::UseLanguage(QStringLiteral("ru"))) return 1;
    // The record of the programs the tests start (and of the window) is a
    // file of this run's own, never the user's.
    QTemporaryDir data;
    if (!data.isValid()) return 1;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", data.path().toUtf8());  // settings (addresses opened) too
    qunsetenv("PORTIQA_RECORD");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
