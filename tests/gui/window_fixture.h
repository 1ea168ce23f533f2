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
    TPortBox* const portBox = static_cast<TPortBox*>(Get<QComboBox>("portBox"));
    QPushButton* const btnConnect = Get<QPushButton>("btnConnect");
    QLineEdit* const passwordEdit = Get<QLineEdit>("passwordEdit");
    QAction* const showPassword = Get<QAction>("showPassword");
    QPushButton* const btnLogin = Get<QPushButton>("btnLogin");
    QTabWidget* const tabs = Get<QTabWidget>("tabs");
    QLabel* const statusText = Get<QLabel>("statusText");
    QLabel* const moduleLabel = Get<QLabel>("moduleLabel");
    TSettingsView* const settingsView = Get<TSettingsView>("settingsView");
    TNumbersView* const numbersView = Get<TNumbersView>("numbersView");
    THistoryView* const historyView = Get<THistoryView>("historyView");
    QPushButton* const btnBackup = Get<QPushButton>("btnBackup");
    QPushButton* const btnRestore = Get<QPushButton>("btnRestore");
    QPushButton* const btnCancel = Get<QPushButton>("btnCancel");
    QPushButton* const btnSiteReport = Get<QPushButton>("btnSiteReport");
    QAction* const readOnlyChoice = Get<QAction>("readOnlyChoice");
};
inline TWindowParts Parts(const std::unique_ptr<TMainWindow>& w) { return TWindowParts(*w); }

} // namespace portiqa

namespace portiqa::test {

// The real window over a simulated module, its questions answered by a script.
struct WindowFixture : ::testing::Test {
    TScriptedOperator op;
    std::unique_ptr<sim::TModuleSimulator> module;
    std::unique_ptr<TMainWindow> w;

    void Open(sim::TSimOptions o = {}) {
        module = std::make_unique<sim::TModuleSimulator>(o);
        ASSERT_TRUE(module->Start());
        w = std::make_unique<TMainWindow>(QList<TPortChoice>{{"Simulated", module->Path()}}, &op);
    }
    // The event loop runs until no reply is owed.
    bool Quiet(int boundMs = 30000) { return WaitFor([&] { return !w->Session().Busy(); }, boundMs); }
    // Connect and log in with the buttons.
    void LogIn() {
        QTest::mouseClick(Parts(w).btnConnect, Qt::LeftButton);
        QTest::mouseClick(Parts(w).btnLogin, Qt::LeftButton);
        ASSERT_TRUE(Quiet());
    }
};

} // namespace portiqa::test
