#pragma once
#include "fakes.h"
#include "pty_pair.h"
#include "gui/main_window.h"
#include "sim/simulator.h"
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

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
    bool Quiet(int boundMs = 30000) { return WaitFor([&] { return !w->Session().seq.Outstanding(); }, boundMs); }
    // Connect and log in with the buttons.
    void LogIn() {
        QTest::mouseClick(w->btn8, Qt::LeftButton);
        QTest::mouseClick(w->btn1, Qt::LeftButton);
        ASSERT_TRUE(Quiet());
    }
};

} // namespace portiqa::test
