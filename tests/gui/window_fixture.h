#pragma once
#include "fakes.h"
#include "pty_pair.h"
#include "gui/history_view.h"
#include "gui/main_window.h"
#include "gui/numbers_view.h"
#include "gui/settings_view.h"
#include "sim/simulator.h"
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace portiqa {

// The window's widgets, found by their object names as a user's tool finds them.
struct TWindowParts {
    explicit TWindowParts(const QObject& w) : w_(w) {}
    template <class T> T* Get(const char* name) const {
        T* found = w_.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << "no widget " << name;
        return found;
    }
    const QObject& w_;
    TPortBox* const cbb9 = static_cast<TPortBox*>(Get<QComboBox>("cbb9"));
    QPushButton* const btn8 = Get<QPushButton>("btn8");
    QLineEdit* const edt3 = Get<QLineEdit>("edt3");
    QAction* const showPassword = Get<QAction>("showPassword");
    QPushButton* const btn1 = Get<QPushButton>("btn1");
    QTabWidget* const pgc = Get<QTabWidget>("pgc");
    QLabel* const statusText = Get<QLabel>("statusText");
    QLabel* const moduleLabel = Get<QLabel>("moduleLabel");
    TSettingsView* const settingsView = Get<TSettingsView>("settingsView");
    TNumbersView* const numbersView = Get<TNumbersView>("numbersView");
    THistoryView* const historyView = Get<THistoryView>("historyView");
    QPushButton* const btnBackup = Get<QPushButton>("btnBackup");
    QPushButton* const btnRestore = Get<QPushButton>("btnRestore");
    QPushButton* const btnCancel = Get<QPushButton>("btnCancel");
    QAction* const readOnlyChoice = Get<QAction>("readOnlyChoice");
};
inline TWindowParts Parts(const std::unique_ptr<TForm1>& w) { return TWindowParts(*w); }

} // namespace portiqa

namespace portiqa::test {

// The real window over a simulated module, its questions answered by a script.
struct WindowFixture : ::testing::Test {
    TScriptedOperator op;
    std::unique_ptr<sim::TModuleSimulator> module;
    std::unique_ptr<TForm1> w;

    void Open(sim::TSimOptions o = {}) {
        module = std::make_unique<sim::TModuleSimulator>(o);
        ASSERT_TRUE(module->Start());
        w = std::make_unique<TForm1>(QList<TPortChoice>{{"Simulated", module->Path()}}, &op);
    }
    // The event loop runs until no reply is owed.
    bool Quiet(int boundMs = 30000) { return WaitFor([&] { return !w->Session().Busy(); }, boundMs); }
    // Connect and log in with the buttons.
    void LogIn() {
        QTest::mouseClick(Parts(w).btn8, Qt::LeftButton);
        QTest::mouseClick(Parts(w).btn1, Qt::LeftButton);
        ASSERT_TRUE(Quiet());
    }
};

} // namespace portiqa::test
