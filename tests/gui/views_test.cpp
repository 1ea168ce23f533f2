// The three tables driven as the operator drives them: real mouse, key and
// wheel events sent to whatever widget would receive them, then the core
// table read back.
#include "gui/history_view.h"
#include "gui/numbers_view.h"
#include "gui/settings_view.h"
#include "fakes.h"
#include <QAccessible>
#include <QApplication>
#include <QColor>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <QAbstractSpinBox>
#include <gtest/gtest.h>

using namespace portiqa;

namespace {

// Shows a view in its own active window, as the operator sees it.
template <class View, class Table>
struct TShown {
    Table table;
    View view{table};
    explicit TShown(QSize size = {1000, 700}) {
        view.resize(size);
        view.show();
        view.activateWindow();  // an X server without a window manager needs asking
        QApplication::setActiveWindow(&view);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
    }
};

QPoint CellCentre(QTableView* v, int col, int gridRow) {
    return v->visualRect(v->model()->index(gridRow - 1, col)).center();
}
void ClickCell(QTableView* v, int col, int gridRow) {
    v->scrollTo(v->model()->index(gridRow - 1, col));
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, CellCentre(v, col, gridRow));
}
void DoubleClickCell(QTableView* v, int col, int gridRow) {
    v->scrollTo(v->model()->index(gridRow - 1, col));
    QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, CellCentre(v, col, gridRow));
}
// Keys go where the keyboard focus is, one at a time, as typed; what the
// views queue for later (an editor committing on Enter) runs in between,
// as it does between a typist's keys.
void Type(const QString& text) {
    for (QChar c : text) {
        // A letter beyond Latin-1 goes as a keyboard sends it: its key code and its text.
        if (c.unicode() > 0xFF)
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key(c.toUpper().unicode()), QString(c),
                                Qt::NoModifier);
        else
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        QCoreApplication::processEvents();
    }
}
void Key(Qt::Key key, int times = 1) {
    for (int i = 0; i < times; ++i) {
        QTest::keyClick(QApplication::focusWidget(), key);
        QCoreApplication::processEvents();
    }
}
// One wheel notch over a widget that does not have the focus.
void Wheel(QWidget* w, int delta) {
    const QPoint local = w->rect().center();
    QWheelEvent e(QPointF(local), QPointF(w->mapToGlobal(local)), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}
int CurrentRow(QTableView* v) { return v->currentIndex().row() + 1; }

using TSettingsShown = TShown<TSettingsView, TSettingsTable>;

TEST(SettingsViewInput, TypingOnTheCurrentCellReplacesItAtOnce) {
    TSettingsShown s;
    auto* v = s.view.settingsGrid;
    // Row 1 is current from start-up: click it and type at once, as a quick
    // typist does. Nothing goes to a search that would jump to row 15 (999).
    ClickCell(v, 1, 1);
    Type("9876");
    EXPECT_EQ(s.table.Value(1), "9876");
    EXPECT_EQ(s.table.Value(15), "999");
    EXPECT_EQ(CurrentRow(v), 1);
    Key(Qt::Key_Enter);
    // A second click on the current cell, then a key at once: the same.
    ClickCell(v, 1, 7);
    ClickCell(v, 1, 7);
    Type("5");
    EXPECT_EQ(s.table.Value(7), "5");
    // A letter typed where no editor can open (a hint) moves nowhere.
    ClickCell(v, 2, 3);
    Type("9");
    EXPECT_EQ(CurrentRow(v), 3);
    EXPECT_EQ(v->currentIndex().column(), 2);
    EXPECT_EQ(s.table.Grid().Cells(2, 3), "NO. Для изменения сделайте выбор из списка");
}

TEST(SettingsViewInput, KeysPastALimitStayInTheirCell) {
    TSettingsShown s;
    auto* v = s.view.settingsGrid;
    ClickCell(v, 1, 1);
    Type("123456");
    EXPECT_EQ(s.table.Value(1), "1234");
    EXPECT_EQ(s.table.Value(2), "");
    EXPECT_EQ(CurrentRow(v), 1);
    EXPECT_FALSE(s.view.lastRefusal.isEmpty());
    // The editor is still open: Escape undoes the password change.
    Key(Qt::Key_Escape);
    EXPECT_EQ(s.table.Value(1), "5807");
    // A letter in a digit row is refused; the fourth digit of row 7 too, and
    // row 8's drop-down below keeps its choice.
    ClickCell(v, 1, 7);
    Type("12a3456");
    EXPECT_EQ(s.table.Value(7), "123");
    EXPECT_EQ(s.table.ItemIndex(8), 0);
    EXPECT_EQ(s.table.Value(8), "0:Снято");  // its item, nothing typed
    EXPECT_EQ(CurrentRow(v), 7);
    Key(Qt::Key_Enter);
    // Forty characters fill a text row; what follows is refused, row 6 keeps its text.
    ClickCell(v, 1, 5);
    Type("Front door opened - call security at once!");
    EXPECT_EQ(s.table.Value(5), "Front door opened - call security at onc");
    EXPECT_EQ(s.table.Value(6), "DIN2 Alarm");
    Key(Qt::Key_Enter);
    // A first key the row cannot take (Cyrillic in a Latin text row, a
    // letter in a number) is refused with the reason; the cell keeps its text.
    for (const auto& [row, key] : {std::pair{6, QString("Т")}, std::pair{15, QString("x")}}) {
        const QString before = s.table.Value(row);
        s.view.lastRefusal.clear();
        ClickCell(v, 1, row);
        Type(key);
        EXPECT_EQ(s.table.Value(row), before) << row;
        EXPECT_FALSE(s.view.lastRefusal.isEmpty()) << row;
        Key(Qt::Key_Escape);
        EXPECT_EQ(s.table.Value(row), before) << row;
    }
    // The SIM number's "+" can be typed first, and only first.
    ClickCell(v, 1, 2);
    Type("+7916+");
    EXPECT_EQ(s.table.Value(2), "+7916");
    Key(Qt::Key_Enter);
    // A key on a drop-down's cell changes nothing and does not move.
    ClickCell(v, 1, 8);
    Type("x5");
    EXPECT_EQ(s.table.ItemIndex(8), 0);
    EXPECT_EQ(CurrentRow(v), 8);
}

// Every row, keys well past its limit: no other row changes.
TEST(SettingsViewInput, TypingSweepChangesNoOtherRow) {
    TSettingsShown s;
    auto* v = s.view.settingsGrid;
    for (int row = 1; row <= 16; ++row) {
        QStringList before;
        QList<int> choices;
        for (int r = 1; r <= 16; ++r) {
            before << s.table.Value(r);
            choices << s.table.ItemIndex(r);
        }
        ClickCell(v, 1, row);
        Type(QString(45, '7') + "abc+");
        Key(Qt::Key_Enter);
        for (int r = 1; r <= 16; ++r) {
            if (r == row) continue;
            EXPECT_EQ(s.table.Value(r), before[r - 1]) << "typing in row " << row << " changed row " << r;
            EXPECT_EQ(s.table.ItemIndex(r), choices[r - 1]) << "typing in row " << row << " changed row " << r;
        }
        const int limit = TSettingsTable::LengthLimit(row);
        if (limit > 0) {
            EXPECT_LE(s.table.Value(row).size(), limit) << row;
        }
    }
}

TEST(SettingsViewInput, EscapeRestoresTheCellAndColumnZeroIsNeverCurrent) {
    TSettingsShown s;
    auto* v = s.view.settingsGrid;
    ClickCell(v, 1, 5);
    Type("abc");
    EXPECT_EQ(s.table.Value(5), "abc");  // the table holds what is typed as it is typed
    Key(Qt::Key_Escape);
    EXPECT_EQ(s.table.Value(5), "Unauthorized door opened");
    // Edited at the end with F2, then Escape: the same.
    ClickCell(v, 1, 10);
    Key(Qt::Key_F2);
    Key(Qt::Key_End);
    Type("5");
    EXPECT_EQ(s.table.Value(10), "05");
    Key(Qt::Key_Escape);
    EXPECT_EQ(s.table.Value(10), "0");

    ClickCell(v, 0, 6);
    EXPECT_NE(v->currentIndex().column(), 0);
    ClickCell(v, 1, 6);
    Key(Qt::Key_Left);
    Key(Qt::Key_Home);
    EXPECT_EQ(v->currentIndex().column(), 1);
    EXPECT_EQ(CurrentRow(v), 6);
    DoubleClickCell(v, 0, 6);
    EXPECT_EQ(s.table.Grid().Cells(0, 6), "6.Текст оповещения при срабатывании датчика 2");
}

TEST(SettingsViewInput, DropDownsChangeOnlyByAnExplicitChoice) {
    TSettingsShown s({900, 260});  // small, so that the table can scroll
    auto* v = s.view.settingsGrid;
    ClickCell(v, 1, 1);
    for (const auto& e : s.table.Editors()) {
        const int before = s.table.ItemIndex(e.row);
        QComboBox* combo = s.view.Combo(e.row);
        v->scrollTo(v->model()->index(e.row - 1, 1));
        const int scrolled = v->verticalScrollBar()->value();
        Wheel(combo, -120);
        Wheel(combo, 120);
        Wheel(combo, -120);
        EXPECT_EQ(s.table.ItemIndex(e.row), before) << e.name.toStdString();
        EXPECT_EQ(combo->currentIndex(), before) << e.name.toStdString();
        EXPECT_FALSE(combo->hasFocus());
        if (v->verticalScrollBar()->maximum() > 0 && scrolled < v->verticalScrollBar()->maximum()) {
            EXPECT_GT(v->verticalScrollBar()->value(), scrolled) << "the wheel scrolls the table";
        }
    }
    // The arrows on a closed drop-down move to the next value; a choice is
    // made in the opened list (Alt+Down), with the arrows and Enter.
    QComboBox* list = s.view.Combo(11);
    const int before = s.table.ItemIndex(11);
    s.view.MoveTo(11);
    Key(Qt::Key_Up);
    EXPECT_EQ(s.table.ItemIndex(11), before);
    EXPECT_EQ(s.view.KeyboardRow(), 10);
    s.view.MoveTo(11);
    QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->view()->isVisible(); }, 5000));
    QTest::keyClick(list->view(), Qt::Key_Up);
    QTest::keyClick(list->view(), Qt::Key_Return);
    EXPECT_EQ(s.table.ItemIndex(11), 2);
    EXPECT_EQ(s.table.Value(11), "2:Пользователь");
}

// Down and Up, Tab and Shift+Tab go through all sixteen values, to each
// drop-down as to each text, and change none; a value reached is typed into.
TEST(SettingsViewInput, TheKeyboardWalksEveryValueAndChangesNone) {
    TSettingsShown s({900, 400});
    auto* v = s.view.settingsGrid;
    ClickCell(v, 1, 1);
    QStringList values;
    for (int r = 1; r <= TSettingsTable::kValueRows; ++r) values << s.table.Value(r);
    const auto walk = [&](Qt::Key key, int from, int step) {
        for (int r = from + step; r >= 1 && r <= TSettingsTable::kValueRows; r += step) {
            Key(key);
            ASSERT_EQ(s.view.KeyboardRow(), r) << key;
            const bool list = s.table.IsSelectionRow(r);
            EXPECT_TRUE(list ? s.view.Combo(r)->hasFocus() : v->hasFocus()) << r;
        }
    };
    walk(Qt::Key_Down, 1, 1);
    walk(Qt::Key_Up, TSettingsTable::kValueRows, -1);
    walk(Qt::Key_Tab, 1, 1);
    walk(Qt::Key_Backtab, TSettingsTable::kValueRows, -1);
    for (int r = 1; r <= TSettingsTable::kValueRows; ++r) EXPECT_EQ(s.table.Value(r), values[r - 1]) << r;
    Type("1357");
    EXPECT_EQ(s.table.Value(1), "1357");
    Key(Qt::Key_Tab);  // from the open editor to the next value, the typing kept
    EXPECT_EQ(s.view.KeyboardRow(), 2);
    EXPECT_EQ(s.table.Value(1), "1357");
}

TEST(SettingsViewInput, RowsFitTheirTexts) {
    TSettingsShown s;
    auto* v = s.view.settingsGrid;
    for (int r = 1; r <= 16; ++r) {
        EXPECT_GE(v->rowHeight(r - 1), v->RowHint(r - 1)) << r;
        if (QComboBox* combo = TSettingsTable::IsSelectionRow(r) ? s.view.Combo(r) : nullptr) {
            EXPECT_GE(v->columnWidth(1), combo->sizeHint().width()) << "items are shown whole, row " << r;
            EXPECT_GE(v->rowHeight(r - 1), combo->sizeHint().height()) << r;
        }
    }
}

struct TNumbersShown : TShown<TNumbersView, TNumberTable> {
    void Fill(int rows) {
        auto& g = table.Grid();
        for (int r = 1; r <= rows; ++r) {
            g.SetCells(1, r, QStringLiteral("+7916%1").arg(r, 7, 10, QChar('0')));
            g.SetCells(2, r, QStringLiteral("2024/%1/%2").arg(r % 12 + 1, 2, 10, QChar('0')).arg(r % 28 + 1, 2, 10, QChar('0')));
            g.SetCells(3, r, QStringLiteral("07:%1").arg(r % 60, 2, 10, QChar('0')));
            g.SetCells(4, r, QStringLiteral("2025/12/31"));
            g.SetCells(5, r, QStringLiteral("23:59"));
            g.SetCells(6, r, r % 5 == 0 ? TNumberTable::Yes() : TNumberTable::No());
            g.SetCells(7, r, TNumberTable::No());
        }
    }
    QStringList Snapshot() const {
        QStringList all;
        for (int r = 1; r <= 60; ++r)
            for (int c = 0; c < 8; ++c) all << table.Grid().Cells(c, r);
        return all;
    }
};

TEST(NumbersViewInput, MovingThroughTheTableChangesNothing) {
    TNumbersShown n;
    n.Fill(50);
    const QStringList before = n.Snapshot();
    auto* v = n.view.numbersGrid;
    ClickCell(v, 1, 1);
    Key(Qt::Key_Escape);  // the click leaves the number cell current, no editor
    for (int r = 1; r <= 50; ++r) {
        Key(Qt::Key_Right, 7);
        Key(Qt::Key_Down);
        Key(Qt::Key_Left, 7);
        Key(Qt::Key_Down);
        Key(Qt::Key_Up);
    }
    for (int i = 0; i < 20; ++i) Key(Qt::Key_Tab);
    Key(Qt::Key_PageDown, 2);
    Key(Qt::Key_PageUp, 3);
    Key(Qt::Key_End);
    Key(Qt::Key_Home);
    for (int c = 2; c <= 5; ++c) {
        ClickCell(v, c, 3);  // a click opens the picker ...
        Key(Qt::Key_Tab);    // ... and leaving it unchanged writes nothing
    }
    // Letters on a date cell open nothing.
    ClickCell(v, 2, 4);
    Key(Qt::Key_Escape);
    Type("abc ");
    EXPECT_EQ(n.Snapshot(), before);
    EXPECT_EQ(v->currentIndex().column(), 2);
}

TEST(NumbersViewInput, PickersEditOnlyWhenAskedAndNeverWriteAStaleValue) {
    TNumbersShown n;
    n.Fill(5);
    auto& g = n.table.Grid();
    auto* v = n.view.numbersGrid;
    // A date that does not exist, as a module may hold it: visited, opened
    // and left, it stays as it stands.
    g.SetCells(2, 2, "2024/02/30");
    g.SetCells(4, 2, "");
    ClickCell(v, 2, 1);  // the picker takes row 1's date as its last value
    Key(Qt::Key_Escape);
    ClickCell(v, 2, 2);
    Key(Qt::Key_Tab);
    ClickCell(v, 4, 2);
    Key(Qt::Key_Escape);
    EXPECT_EQ(g.Cells(2, 2), "2024/02/30");
    EXPECT_EQ(g.Cells(4, 2), "");
    // F2 then Up on the hour and Enter: one hour more, written.
    ClickCell(v, 3, 3);
    Key(Qt::Key_Escape);
    v->setFocus();
    Key(Qt::Key_F2);
    Key(Qt::Key_Up);
    Key(Qt::Key_Return);
    EXPECT_EQ(g.Cells(3, 3), "08:03");
    // Enter opens a picker and Enter again accepts what it shows.
    ClickCell(v, 5, 1);
    Key(Qt::Key_Escape);
    g.SetCells(5, 4, "");
    Key(Qt::Key_Down, 3);
    Key(Qt::Key_Return);
    Key(Qt::Key_Return);
    EXPECT_EQ(g.Cells(5, 4).size(), 5);
    // Digits typed on a date cell go into its picker.
    ClickCell(v, 4, 3);
    Key(Qt::Key_Escape);
    Type("2031");
    Key(Qt::Key_Return);
    EXPECT_EQ(g.Cells(4, 3), "2031-12-31");  // the form a download writes
    // A date typed whole over the whole picker is that date, in the forms
    // people type; what is no date leaves the cell as it was.
    const struct {
        const char* typed;
        const char* cell;
    } whole[] = {{"2026-12-31", "2026-12-31"}, {"2028-02-15", "2028-02-15"}, {"31.12.2028", "2028-12-31"},
                 {"12/31/2029", "2029-12-31"}, {"20300704", "2030-07-04"}, {"2026-13-45", "2030-07-04"}};
    for (const auto& w : whole) {
        ClickCell(v, 4, 3);
        Key(Qt::Key_Escape);
        v->setFocus();
        Key(Qt::Key_F2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        Type(w.typed);
        Key(Qt::Key_Return);
        if (v->Editing()) Key(Qt::Key_Escape);
        EXPECT_EQ(g.Cells(4, 3), w.cell) << w.typed;
    }
    // An end typed before the record's start (2024-04-04) is refused where
    // it is typed, with the reason; the cell keeps its value.
    QSignalSpy refused(&n.view, &TNumbersView::TypingRefused);
    ClickCell(v, 4, 3);
    Key(Qt::Key_Escape);
    v->setFocus();
    Key(Qt::Key_F2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    Type("2023-01-01");
    Key(Qt::Key_Return);
    if (v->Editing()) Key(Qt::Key_Escape);
    EXPECT_EQ(g.Cells(4, 3), "2030-07-04");
    ASSERT_EQ(refused.count(), 1);
    EXPECT_TRUE(refused[0][0].toString().startsWith("окно кончается")) << refused[0][0].toString().toStdString();
    // A row marked "Да" in column 6 gets no picker.
    EXPECT_EQ(g.Cells(6, 5), TNumberTable::Yes());
    ClickCell(v, 2, 5);
    Type("2");
    EXPECT_FALSE(v->Editing());
}

TEST(NumbersViewInput, FlagsChangeByAClickOrSpaceOnThatCell) {
    TNumbersShown n;
    n.Fill(3);
    auto& g = n.table.Grid();
    auto* v = n.view.numbersGrid;
    ClickCell(v, 7, 1);
    EXPECT_EQ(g.Cells(7, 1), TNumberTable::Yes());
    const QString start = g.Cells(2, 1);
    EXPECT_FALSE(start.isEmpty());  // marking keeps the validity window, greyed
    const QModelIndex date = n.view.Model()->IndexOf(2, 1);
    EXPECT_EQ(n.view.Model()->data(date, Qt::ForegroundRole).value<QColor>(), QColor(150, 150, 150));
    EXPECT_EQ(n.view.Model()->data(date, Qt::BackgroundRole).value<QColor>(), QColor(255, 190, 190));
    EXPECT_TRUE(n.view.Model()->data(n.view.Model()->IndexOf(1, 1), Qt::FontRole).value<QFont>().strikeOut());
    Key(Qt::Key_Space);
    EXPECT_EQ(g.Cells(7, 1), TNumberTable::No());
    EXPECT_EQ(g.Cells(2, 1), start);  // unticked: the window is back
    EXPECT_FALSE(n.view.Model()->data(date, Qt::ForegroundRole).isValid());
    Key(Qt::Key_Down);
    Key(Qt::Key_Left);  // to column 6 of row 2, by keys: no change
    EXPECT_EQ(g.Cells(6, 2), TNumberTable::No());
    EXPECT_EQ(g.Cells(7, 2), TNumberTable::No());
    Key(Qt::Key_Space);
    EXPECT_EQ(g.Cells(6, 2), TNumberTable::Yes());
    // Typing a number in place still works, and column 0 is never current.
    ClickCell(v, 1, 3);
    Type("8800");
    Key(Qt::Key_Return);
    EXPECT_EQ(g.Cells(1, 3), "8800");
    ClickCell(v, 0, 3);
    EXPECT_EQ(v->currentIndex().column(), 1);
}

// Letters on a date or time cell open no picker and change nothing.
TEST(NumbersViewInput, LettersTypedOnDateAndTimeCellsChangeNothing) {
    TNumbersShown n;
    n.Fill(3);
    auto& g = n.table.Grid();
    auto* v = n.view.numbersGrid;
    for (int col = 2; col <= 5; ++col) {
        const QString before = g.Cells(col, 2);
        ClickCell(v, col, 2);
        Key(Qt::Key_Escape);  // a click may open the picker: leave it unchanged
        Type("abcxyz");
        for (const QAbstractSpinBox* picker : v->findChildren<QAbstractSpinBox*>())
            EXPECT_FALSE(picker->isVisible()) << col << ": a letter opened the picker";
        Key(Qt::Key_Escape);
        EXPECT_EQ(g.Cells(col, 2), before) << col;
        EXPECT_EQ(g.Cells(1, 2), QStringLiteral("+79160000002")) << col;
    }
}

// A number cell keeps to the save's rule as it is typed: separators between
// digit groups are dropped, any other refused key never enters and says why.
TEST(NumbersViewInput, NumberCellsTakeOnlyWhatTheModuleStores) {
    TNumbersShown n;
    n.Fill(3);
    auto& g = n.table.Grid();
    auto* v = n.view.numbersGrid;
    QStringList refusals;
    QObject::connect(&n.view, &TNumbersView::TypingRefused, [&](const QString& why) { refusals << why; });
    const struct {
        const char* typed;
        const char* kept;
        int refused;
    } cases[] = {
        {"+7 (916) 123-45-67", "+79161234567", 0},
        {"+7 999 abc 1234567", "+79991234567", 3},
        {"12345678901234567890123456", "1234567890123456789012", 4},
    };
    for (const auto& c : cases) {
        refusals.clear();
        ClickCell(v, 1, 2);
        Key(Qt::Key_F2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        Type(QString::fromUtf8(c.typed));
        Key(Qt::Key_Return);
        EXPECT_EQ(g.Cells(1, 2), c.kept) << c.typed;
        EXPECT_EQ(refusals.size(), c.refused) << c.typed;
        if (c.refused > 0) {
            EXPECT_TRUE(refusals.back().contains("только «+» и цифры")) << refusals.back().toStdString();
        }
    }
    EXPECT_EQ(g.Cells(1, 3), "+79160000003");
    // Typed back to what the module holds, the table is no longer edited.
    n.table.Edits().Set(false);
    const QString held = g.Cells(1, 3);
    for (const QString& typed : {QString("+79169999999"), held}) {
        ClickCell(v, 1, 3);
        Key(Qt::Key_F2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        Type(typed);
        Key(Qt::Key_Return);
        QCoreApplication::processEvents();  // the comparison waits for the turn's changes to end
        EXPECT_EQ(n.table.Edits().Edited(), typed != held) << typed.toStdString();
    }
}

TEST(NumbersViewInput, CtrlFFindsTheNextNumberAndTheCountsFollowTheTable) {
    TNumbersShown n;
    auto& g = n.table.Grid();
    n.view.Now = [] { return QDateTime(QDate(2026, 12, 7), QTime(12, 0)); };
    g.SetCells(1, 10, "+79161234567");
    g.SetCells(1, 20, "89161234567");
    for (int r : {10, 20}) {
        g.SetCells(2, r, "2025/01/01");
        g.SetCells(3, r, "00:00");
        g.SetCells(5, r, "12:00");
        g.SetCells(6, r, TNumberTable::No());
    }
    g.SetCells(4, 10, "2026/12/01");  // ended
    g.SetCells(4, 20, "2026/12/10");  // ends within a week
    QCoreApplication::processEvents();
    EXPECT_EQ(n.view.expiry->text(), "Истекло: 1, истекает в течение 7 дней: 1");
    EXPECT_EQ(n.view.Model()->data(n.view.Model()->IndexOf(1, 10), Qt::BackgroundRole).value<QColor>(), QColor(205, 205, 205));
    EXPECT_EQ(n.view.Model()->data(n.view.Model()->IndexOf(1, 20), Qt::BackgroundRole).value<QColor>(), QColor(255, 221, 170));
    // The colours say what they mean in words too, to the eye and to a screen reader.
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(n.view.numbersGrid);
    ASSERT_TRUE(table && table->tableInterface());
    EXPECT_EQ(table->tableInterface()->cellAt(9, 1)->text(QAccessible::Description), "Срок действия истёк");
    EXPECT_EQ(table->tableInterface()->cellAt(19, 1)->text(QAccessible::Description), "Срок действия истекает в течение 7 дней");
    EXPECT_EQ(n.view.Model()->data(n.view.Model()->IndexOf(1, 20), Qt::ToolTipRole).toString(), "Срок действия истекает в течение 7 дней");
    EXPECT_EQ(n.view.Model()->data(n.view.Model()->IndexOf(1, 30), Qt::ToolTipRole), QVariant());

    auto* v = n.view.numbersGrid;
    ClickCell(v, 1, 1);
    Key(Qt::Key_Escape);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), n.view.search);
    QTest::keyClicks(n.view.search, "+7916123");
    Key(Qt::Key_Return);
    EXPECT_EQ(CurrentRow(v), 10);
    Key(Qt::Key_Return);
    EXPECT_EQ(CurrentRow(v), 20);  // the 8 form of the same number
    Key(Qt::Key_Return);
    EXPECT_EQ(CurrentRow(v), 10);  // round past the end
    EXPECT_EQ(g.Cells(1, 10), "+79161234567");  // searching changes nothing

    g.SetCells(4, 10, "2027/01/01");
    QCoreApplication::processEvents();
    EXPECT_EQ(n.view.expiry->text(), "Истекло: 0, истекает в течение 7 дней: 1");
}

// A name typed beside a number goes to the directory at once (not an edit
// of the module's list), and Ctrl+F finds it.
TEST(NumbersViewInput, ANameTypedBesideANumberIsKeptAndFound) {
    TNumbersShown n;
    n.Fill(12);
    n.table.Edits().Set(false);
    auto* v = n.view.numbersGrid;
    ClickCell(v, TNumberTable::kName, 10);
    Key(Qt::Key_F2);
    QTest::keyClicks(QApplication::focusWidget(), "Anna Petrova");
    Key(Qt::Key_Return);
    ASSERT_TRUE(n.table.People().Find("+79160000010"));
    EXPECT_EQ(n.table.People().Find("+79160000010")->name, "Anna Petrova");
    EXPECT_FALSE(n.table.Edits().Edited());
    ClickCell(v, 1, 1);
    Key(Qt::Key_Escape);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(n.view.search, "petrova");
    Key(Qt::Key_Return);
    EXPECT_EQ(CurrentRow(v), 10);
}

TEST(HistoryViewInput, ReadOnlyAndNoSearch) {
    TShown<THistoryView, THistoryTable> h;
    auto& g = h.table.Grid();
    for (int r = 1; r <= 30; ++r) {
        g.SetCells(THistoryTable::kRecordNo, r, QString::number(r));
        g.SetCells(2, r, QStringLiteral("%1").arg(r));
    }
    auto* v = h.view.historyGrid;
    ClickCell(v, 2, 3);
    Type("25");
    EXPECT_EQ(CurrentRow(v), 3);
    DoubleClickCell(v, 2, 3);
    Key(Qt::Key_F2);
    Type("7");
    EXPECT_FALSE(v->Editing());
    QStringList dates;
    for (int r = 1; r <= 30; ++r) dates << g.Cells(2, r);
    EXPECT_EQ(dates.join(','), "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30");
    // The count says which records are in sight as the view scrolls.
    v->scrollToBottom();
    EXPECT_TRUE(h.view.shown->text().endsWith("–30 из 30")) << h.view.shown->text().toStdString();
    EXPECT_FALSE(h.view.shown->text().startsWith("Записи 1–")) << h.view.shown->text().toStdString();
}

// The view shows the records only, newest first; a header click sorts; a
// filter shows its matches from the top with their count; the table keeps
// the module's order.
TEST(HistoryViewInput, RecordsNewestFirstSortableAndCounted) {
    TShown<THistoryView, THistoryTable> h;
    auto& g = h.table.Grid();
    const QStringList when{"2026-03-01 10:00:00", "2025-12-31 23:59:59", "2026-03-01 09:00:00", "2026-01-15 12:00:00"};
    for (int r = 1; r <= when.size(); ++r) {
        g.SetCells(THistoryTable::kRecordNo, r, QString::number(r));
        g.SetCells(THistoryTable::kDate, r, when[r - 1].left(10));
        g.SetCells(THistoryTable::kTime, r, when[r - 1].mid(11));
        g.SetCells(THistoryTable::kPhone, r, QStringLiteral("+7916000000%1").arg(5 - r));
    }
    h.table.KeepAll();
    auto* v = h.view.historyGrid;
    const auto column = [v](int col) {
        QStringList out;
        for (int r = 0; r < v->model()->rowCount(); ++r) out << v->model()->index(r, col).data().toString();
        return out.join(',');
    };
    EXPECT_EQ(column(THistoryTable::kRecordNo), "1,3,4,2");
    EXPECT_EQ(h.view.shown->text(), "Записи 1–4 из 4");
    auto* header = v->horizontalHeader();
    const auto clickHeader = [&](int col) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(col) + header->sectionSize(col) / 2, header->height() / 2));
    };
    clickHeader(THistoryTable::kPhone);
    EXPECT_EQ(column(THistoryTable::kRecordNo), "4,3,2,1");
    clickHeader(THistoryTable::kTime);
    EXPECT_EQ(column(THistoryTable::kRecordNo), "2,4,3,1");  // by the moment, not the clock alone
    EXPECT_EQ(g.Cells(THistoryTable::kRecordNo, 1), "1");
    // An export takes the records shown, in the order shown: table rows 2, 4, 3, 1.
    ASSERT_TRUE(h.table.ShownOrder);
    EXPECT_EQ(h.table.ShownOrder(), (QVector<int>{2, 4, 3, 1}));

    // The filter keeps two; the view starts at the top and counts them.
    v->scrollToBottom();
    h.view.startDateEdit->setDate(QDate(2026, 1, 1));
    h.view.endDateEdit->setDate(QDate(2026, 3, 1));
    h.view.endTimeEdit->setTime(QTime(9, 30));
    test::TLinkRig rig;
    ASSERT_TRUE(FilterHistory(h.table, h.view.WindowStart(), h.view.WindowEnd(), rig.status, rig.op));
    h.view.ShowFirst();
    EXPECT_EQ(column(THistoryTable::kRecordNo), "4,3");
    EXPECT_EQ(h.view.shown->text(), "Записи 1–2 из 2\nотобраны фильтром из 4");
    EXPECT_EQ(v->verticalScrollBar()->value(), 0);
}

// Dates and times are typed into the filter's boxes as into any field.
TEST(HistoryViewInput, FilterDatesTypedByKeyboard) {
    TShown<THistoryView, THistoryTable> h;
    // A click inside the year leaves the cursor there, not the year selected.
    QTest::mouseClick(h.view.startDateEdit->findChild<QLineEdit*>(), Qt::LeftButton, {}, QPoint(10, h.view.startDateEdit->height() / 2));
    Type("20240315");
    EXPECT_EQ(h.view.startDateEdit->date().toString(Qt::ISODate), "2024-03-15");
    QTest::mouseClick(h.view.startTimeEdit->findChild<QLineEdit*>(), Qt::LeftButton, {}, QPoint(6, h.view.startTimeEdit->height() / 2));
    Type("73005");
    EXPECT_EQ(h.view.startTimeEdit->time().toString(Qt::ISODate), "07:30:05");
    // An impossible date typed whole is refused with the reason; the box keeps its date.
    QStringList refused;
    QObject::connect(&h.view, &THistoryView::TypingRefused, [&](const QString& why) { refused << why; });
    h.view.startDateEdit->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    Type("31.04.2026");
    Key(Qt::Key_Return);
    EXPECT_EQ(h.view.startDateEdit->date().toString(Qt::ISODate), "2024-03-15");
    ASSERT_EQ(refused.size(), 1);
    EXPECT_TRUE(refused[0].startsWith("«31.04.2026» — не дата")) << refused[0].toStdString();
}

} // namespace
