// The window keeps answering when the shared record's server stops: the
// server's processes for the window's connection are stopped (SIGSTOP)
// while the window is used, and let go afterwards.
#include "window_fixture.h"
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabBar>
#include <QUrlQuery>
#include <condition_variable>
#include <mutex>
#include <thread>
#ifndef _WIN32
#include <csignal>
#endif

using namespace portiqa;
using portiqa::test::WaitFor;

namespace {

#ifndef _WIN32
// The server processes serving the program's connections to the database at location.
QList<qint64> ProgramBackends(const QString& location) {
    QList<qint64> pids;
    const QUrl url(location);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("watcher"));
        const QString socketFolder = QUrlQuery(url).queryItemValue(QStringLiteral("host"));
        db.setHostName(!socketFolder.isEmpty() ? socketFolder : url.host());
        if (url.port() > 0) db.setPort(url.port());
        db.setUserName(url.userName());
        db.setDatabaseName(url.path().mid(1));
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("SELECT pid FROM pg_stat_activity WHERE datname = current_database() "
                                  "AND application_name = 'portiqa'"));
            while (q.next()) pids << q.value(0).toLongLong();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("watcher"));
    return pids;
}

// Stops processes and lets them go again when it ends, or after a bound
// at the latest (then Fired() says so).
class TStopped {
public:
    explicit TStopped(const QList<qint64>& pids) : pids_(pids) {
        for (qint64 pid : pids_) ::kill(pid_t(pid), SIGSTOP);
        watchdog_ = std::thread([this] {
            std::unique_lock lock(mutex_);
            fired_ = !wake_.wait_for(lock, std::chrono::seconds(30), [this] { return released_; });
            for (qint64 pid : pids_) ::kill(pid_t(pid), SIGCONT);
        });
    }
    ~TStopped() { Release(); }
    bool Fired() {
        const std::lock_guard lock(mutex_);
        return fired_;
    }
    void Release() {
        {
            const std::lock_guard lock(mutex_);
            released_ = true;
        }
        wake_.notify_one();
        if (watchdog_.joinable()) watchdog_.join();
    }

private:
    QList<qint64> pids_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool released_ = false, fired_ = false;
    std::thread watchdog_;
};
#endif

using RecordAnswer = portiqa::test::WindowFixture;

} // namespace

TEST_F(RecordAnswer, TheWindowAnswersWhileTheRecordsServerIsStopped) {
#ifdef _WIN32
    GTEST_SKIP() << "stops server processes by signal";
#else
    const QString pg = qEnvironmentVariable("PORTIQA_TEST_PG_GUI");
    if (pg.isEmpty()) GTEST_SKIP() << "no PORTIQA_TEST_PG_GUI (bash scripts/test.sh starts a server)";
    Open();
    w->show();
    w->OpenRecord(pg, false);
    ASSERT_NE(w->Record(), nullptr);
    w->Record()->SetPatience(kRecordPatience);
    module->WriteMemory(4, QByteArray("79161234567") + '\0');
    LogIn();
    ASSERT_TRUE(w->Session().ModuleId().has_value());
    const qint64 moduleId = *w->Session().ModuleId();
    const QByteArray before = module->Memory(0, 256);

    const QList<qint64> backends = ProgramBackends(pg);
    ASSERT_FALSE(backends.isEmpty());
    TStopped stopped(backends);
    // The tab bar asks the record for names; a save asks it to begin its
    // journal entry: each gets no answer, and the window goes on.
    QTabBar* bar = Parts(w).tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
    w->Session().Settings().SetValue(16, "12");
    QTest::mouseClick(Parts(w).settingsView->btnSaveSettings, Qt::LeftButton);
    ASSERT_TRUE(Quiet());
    EXPECT_FALSE(stopped.Fired()) << "the window waited for the stopped server";
    EXPECT_TRUE(w->Record()->Late());
    EXPECT_EQ(module->Memory(0, 256).toHex(), before.toHex());
    ASSERT_FALSE(op.messages.isEmpty());
    EXPECT_TRUE(op.messages.back().startsWith("Запись в GSM модуль не начата: журнал модулей недоступен")) << op.messages.back().toStdString();

    // Let go, the record catches up: the entry the save began says the
    // module was never written.
    stopped.Release();
    ASSERT_TRUE(WaitFor([&] { return !w->Record()->Late(); }, 30000));
    QString error;
    const QList<TJournalEntry> journal = w->Record()->Journal(moduleId, 1, error);
    ASSERT_EQ(journal.size(), 1) << error.toStdString();
    EXPECT_EQ(journal[0].outcome, "no record");
    EXPECT_EQ(journal[0].pagesWritten, 0);
#endif
}
