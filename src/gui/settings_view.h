#pragma once
#include "gui/grid_model.h"
#include "gui/grid_view.h"
#include "settings/settings_table.h"
#include <QComboBox>
#include <QPushButton>
#include <QTableView>
#include <QWidget>
#include <map>

namespace portiqa {

// The basic-settings tab: the button column and the settings table with its
// six drop-down editors laid over their value cells.
class TSettingsView : public QWidget {
    Q_OBJECT
public:
    explicit TSettingsView(TSettingsTable& table, QWidget* parent = nullptr);
    QPushButton* btnReadSettings;
    QPushButton* btnSaveSettings;
    QPushButton* btnImportProfile;
    QPushButton* btnExportProfile;
    TGridView* settingsGrid;
    QComboBox* Combo(int row) const { return combos_.at(row); }
    // A key the row's rules refused: why, for the status bar.
    void RefuseTyping(const QString& why);
    QString lastRefusal;
    // The keyboard's way through the values: the value cell of row (1..16)
    // becomes current, and its drop-down, if it has one, takes the focus.
    void MoveTo(int row);
    // The row of the value the keyboard is on.
    int KeyboardRow() const;
    // A key that moves between values (arrows, Tab) from row; false when it
    // leaves the table (Tab past the last value) or is no such key.
    bool MoveKey(QKeyEvent* e, int row);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

signals:
    void TypingRefused(const QString& why);

private:
    QWidget* BuildButtons();
    void BuildGrid();
    int BuildEditors();
    bool LeaveTable(bool forward);
    void SyncEditor(int row);
    void FitRows();
    void FitColumns();
    int valueWidth_ = 247;
    TSettingsTable& table_;
    TGridModel* model_;
    std::map<int, QComboBox*> combos_;
};

} // namespace portiqa
