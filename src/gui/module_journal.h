#pragma once
#include "record/record.h"
#include "session/session.h"
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <functional>

namespace portiqa {

// The record of one module in the window: its snapshots and writes with
// time, user and what changed; two snapshots, or one and the tables,
// compared; a snapshot's settings and numbers loaded into the tables, to be
// saved through the usual guarded save; the module's name.
class TModuleJournal : public QDialog {
    Q_OBJECT
public:
    // record null: none could be opened; only its place can be set.
    TModuleJournal(TRecord* record, TSession& session, QWidget* parent = nullptr);

    // Where the record is; "Открыть" asks the window to open it (again, or
    // another one) and shows the record it then uses (null: none).
    QLineEdit* where = nullptr;
    QPushButton* reopen = nullptr;
    std::function<TRecord*(const QString& location, QString& problem)> OnReopen;

    QComboBox* modules = nullptr;
    QLineEdit* name = nullptr;
    QPushButton* saveName = nullptr;
    QTableWidget* entries = nullptr;  // newest first; a snapshot's row carries its id
    QPushButton* compare = nullptr;
    QPushButton* compareWithTables = nullptr;
    QPushButton* load = nullptr;
    QPlainTextEdit* differences = nullptr;

    void ShowModule(qint64 id);
    void CompareSelected();
    void CompareWithTables();
    void LoadSelected();

private:
    void BuildControls();
    void ListModules();
    QList<qint64> SelectedSnapshots() const;
    // The one snapshot chosen, loaded; none (and the operator told) otherwise.
    std::optional<TSnapshot> OneSelected();
    void Show(const QString& a, const QString& b, const TModulePages& first, const TModulePages& second);
    TModulePages Tables() const;
    TRecord* record_;
    TSession& session_;
    QList<TKnownModule> known_;
};

} // namespace portiqa
