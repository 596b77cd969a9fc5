// The table widget: copying and pasting cells, edit vetting, in-place editing
// keys, notifications and the model's consistency.
#include <QAbstractItemModelTester>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QtTest>
#include <new>

#include "AppTestSupport.h"
#include "ScriptedUserInterface.h"
#include "app/grid/CGridCtrl.h"
#include "app/grid/GridCellSource.h"
#include "app/grid/GridModel.h"

namespace {

// Rows "a<row> b<row> c<row>", the third column read-only, the second with
// a hint, odd rows marked; counts the texts asked for.
class CountingSource : public GridCellSource {
public:
    explicit CountingSource(int rows, int* asked) : m_rows(rows), m_asked(asked) {}
    int RowCount() const override { return m_rows; }
    QString Text(int row, int column) const override {
        ++*m_asked;
        return QString(QChar('a' + column)) + QString::number(row);
    }
    bool IsReadOnly(int, int column) const override { return column == 2; }
    QString Hint(int row, int column) const override {
        return column == 1 ? QStringLiteral("hint %1").arg(row) : QString();
    }
    bool IsMarked(int row, int) const override { return row % 2 == 1; }

private:
    int m_rows;
    int* m_asked;
};

}  // namespace

class GridCtrlTest : public QObject {
    Q_OBJECT

private:
    zav::ScriptedUserInterface m_ui;

    // A header row "A B C" and three rows "r1 x1 y1" ... "r3 x3 y3".
    void Fill(CGridCtrl& grid) {
        grid.SetColumnCount(3);
        grid.SetFixedRowCount(1);
        grid.SetItemText(0, 0, "A");
        grid.SetItemText(0, 1, "B");
        grid.SetItemText(0, 2, "C");
        for (int i = 1; i <= 3; ++i) {
            int row = grid.InsertRow(QStringLiteral("r%1").arg(i));
            grid.SetItemText(row, 1, QStringLiteral("x%1").arg(i));
            grid.SetItemText(row, 2, QStringLiteral("y%1").arg(i));
        }
        grid.Model().Flush();
    }

    // The same, with `listener` hearing the grid from the start.
    void Fill(CGridCtrl& grid, RecordingGridListener& listener) {
        grid.SetListener(&listener);
        Fill(grid);
    }

private slots:
    void copyTextJoinsCellsWithTabsAndRowsWithLineFeeds() {
        CGridCtrl grid(m_ui);
        Fill(grid);
        QCOMPARE(grid.CopyText(), std::string("A\tB\tC\nr1\tx1\ty1\nr2\tx2\ty2\nr3\tx3\ty3"));

        grid.SetSelectedRange({2, 1, 3, 2});
        QCOMPARE(grid.CopyText(), std::string("x2\ty2\nx3\ty3"));

        // A cell left out of the block stays empty rather than leaking.
        grid.selectionModel()->select(grid.Model().IndexOf(1, 0), QItemSelectionModel::Select);
        QCOMPARE(grid.CopyText(), std::string("r1\t\t\n\tx2\ty2\n\tx3\ty3"));

        grid.OnEditCopy();
        QCOMPARE(*m_ui.clipboard, std::string("r1\t\t\n\tx2\ty2\n\tx3\ty3"));
    }

    void pasteWritesEditableCellsAsEditsFromTheFocusedCell() {
        CGridCtrl grid(m_ui);
        RecordingGridListener listener;
        Fill(grid, listener);
        grid.SetItemReadOnly(2, 2);
        listener.refuse = [](int, int, const QString& text) { return text == "bad"; };
        grid.SetFocusCell(1, 1);
        listener.events.clear();

        // Three rows by three cells from (1,1): column 3 does not exist and
        // row 4 neither; (2,2) is read-only; "bad" is refused.
        int written = grid.PasteText("p,q,z\r\nbad\t s \nt,u,v\nw\n");
        QCOMPARE(written, 5);
        QCOMPARE(listener.events,
                 QStringList({"begin 1,1", "end 1,1=p", "begin 1,2", "end 1,2=q", "begin 2,1",
                              "end 2,1=bad", "begin 3,1", "end 3,1=t", "begin 3,2", "end 3,2=u"}));
        QCOMPARE(grid.GetItemText(1, 1), QString("p"));
        QCOMPARE(grid.GetItemText(1, 2), QString("q"));
        QCOMPARE(grid.GetItemText(2, 1), QString("x2"));  // refused: previous text back
        QCOMPARE(grid.GetItemText(2, 2), QString("y2"));  // read-only
        QCOMPARE(grid.GetItemText(3, 1), QString("t"));
        QCOMPARE(grid.GetItemText(3, 2), QString("u"));
        QCOMPARE(grid.GetRowCount(), 4);
        QCOMPARE(grid.GetColumnCount(), 3);
    }

    void pasteIntoTheHeaderOrWithoutFocusWritesNothing() {
        CGridCtrl grid(m_ui);
        Fill(grid);
        QCOMPARE(grid.PasteText("zz"), 0);
        grid.SetFixedColumnCount(1);
        grid.SetFocusCell(1, 1);
        m_ui.clipboard = std::string("m\tn");
        grid.setFocus();
        QTest::keyClick(&grid, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(grid.GetItemText(1, 1), QString("m"));
        QCOMPARE(grid.GetItemText(1, 2), QString("n"));
        QCOMPARE(grid.GetItemText(1, 0), QString("r1"));
        QCOMPARE(grid.GetItemText(0, 1), QString("B"));
    }

    void cutCopiesThenEmptiesSelectedEditableCells() {
        CGridCtrl grid(m_ui);
        RecordingGridListener listener;
        Fill(grid, listener);
        grid.SetItemReadOnly(3, 2);
        grid.SetSelectedRange({2, 1, 3, 2});
        listener.events.clear();
        QTest::keyClick(&grid, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(*m_ui.clipboard, std::string("x2\ty2\nx3\ty3"));
        QCOMPARE(listener.events, QStringList({"begin 2,1", "end 2,1=", "begin 2,2",
                                               "end 2,2=", "begin 3,1", "end 3,1="}));
        QCOMPARE(grid.GetItemText(3, 2), QString("y3"));
    }

    void clipboardKeysCopyAndSelectAll() {
        CGridCtrl grid(m_ui);
        Fill(grid);
        grid.SetSelectedRange({1, 0, 1, 1});
        QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(*m_ui.clipboard, std::string("r1\tx1"));
        grid.SetSelectedRange({2, 2, 2, 2});
        QTest::keyClick(&grid, Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(*m_ui.clipboard, std::string("y2"));
        QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier);
        GridRange all = grid.GetSelectedRange();
        QCOMPARE(all.minRow, 1);
        QCOMPARE(all.maxRow, 3);
        QCOMPARE(all.minColumn, 0);
        QCOMPARE(all.maxColumn, 2);
    }

    void typingOpensTheEditorAndEnterEndsTheEditAndMovesDown() {
        CGridCtrl grid(m_ui);
        RecordingGridListener listener;
        Fill(grid, listener);
        grid.SetFocusCell(1, 1);
        listener.events.clear();

        QTest::keyClick(&grid, Qt::Key_K, Qt::NoModifier, 'k');
        QVERIFY(!listener.editorOpenAtBegin);
        QLineEdit* editor = CellEditor(&grid, 1, 1);
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->text(), QString("k"));
        QTest::keyClicks(editor, "7");
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(grid.GetItemText(1, 1), QString("k7"));
        QCOMPARE(listener.events, QStringList({"begin 1,1", "end 1,1=k7", "focus 2,1"}));
        QVERIFY(!listener.editorOpenAtEnd);
        QCOMPARE(grid.GetFocusCell(), std::make_pair(2, 1));
    }

    void refusedEditRestoresTheTextAndEscapeCancels() {
        CGridCtrl grid(m_ui);
        RecordingGridListener listener;
        listener.refuse = [](int, int, const QString& text) { return text == "no"; };
        Fill(grid, listener);
        grid.SetFocusCell(2, 2);

        QTest::keyClick(&grid, Qt::Key_N, Qt::NoModifier, 'n');
        QLineEdit* editor = CellEditor(&grid, 2, 2);
        QVERIFY(editor != nullptr);
        QTest::keyClicks(editor, "o");
        QTest::keyClick(editor, Qt::Key_Tab);
        QCOMPARE(grid.GetItemText(2, 2), QString("y2"));
        QVERIFY(listener.events.contains("end 2,2=no"));

        grid.SetFocusCell(3, 1);
        listener.events.clear();
        QTest::keyClick(&grid, Qt::Key_Z, Qt::NoModifier, 'z');
        editor = CellEditor(&grid, 3, 1);
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(grid.GetItemText(3, 1), QString("x3"));
        QCOMPARE(listener.events, QStringList({"begin 3,1", "end 3,1=x3"}));
    }

    void aMessageShownAtTheEndOfAnEditDoesNotEndItTwice() {
        CGridCtrl grid(m_ui);
        RecordingGridListener listener;
        Fill(grid, listener);
        grid.show();
        QApplication::setActiveWindow(&grid);
        QVERIFY(QTest::qWaitForWindowActive(&grid));
        // As a page does when it refuses: a modal message, then no.
        listener.refuse = [](int, int, const QString&) {
            QDialog message;
            QTimer::singleShot(0, &message, &QDialog::accept);
            message.exec();
            return true;
        };
        grid.SetFocusCell(1, 2);
        QTest::keyClick(&grid, Qt::Key_D, Qt::NoModifier, 'd');
        QLineEdit* editor = CellEditor(&grid, 1, 2);
        QVERIFY(editor != nullptr);
        editor->setFocus();
        listener.events.clear();
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(listener.events.filter("end").size(), 1);
        QVERIFY(!listener.editorOpenAtEnd);
        QCOMPARE(grid.GetItemText(1, 2), QString("y1"));
    }

    void arrowsEndATypedEditButMoveInsideAnOpenedOne() {
        CGridCtrl grid(m_ui);
        Fill(grid);
        grid.SetFocusCell(1, 1);
        QTest::keyClick(&grid, Qt::Key_Q, Qt::NoModifier, 'q');
        QLineEdit* editor = CellEditor(&grid, 1, 1);
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_Right);
        QCOMPARE(grid.GetItemText(1, 1), QString("q"));
        QCOMPARE(grid.GetFocusCell(), std::make_pair(1, 2));

        QTest::keyClick(&grid, Qt::Key_F2);
        editor = CellEditor(&grid, 1, 2);
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_Left);
        QVERIFY(grid.IsEditing());
        QTest::keyClick(editor, Qt::Key_Down);
        QCOMPARE(grid.GetFocusCell(), std::make_pair(2, 2));
        QCOMPARE(grid.GetItemText(1, 2), QString("y1"));
    }

    void readOnlyAndFixedCellsDoNotOpenAnEditor() {
        CGridCtrl grid(m_ui);
        RecordingGridListener listener;
        Fill(grid, listener);
        grid.SetFixedColumnCount(1);
        grid.SetItemReadOnly(1, 1);
        listener.events.clear();
        for (int column : {0, 1}) {
            grid.SetFocusCell(1, column);
            QTest::keyClick(&grid, Qt::Key_W, Qt::NoModifier, 'w');
            QVERIFY(!grid.IsEditing());
        }
        QVERIFY(!listener.events.join(' ').contains("begin"));
        grid.SetFocusCell(1, 1);
        QTest::keyClick(&grid, Qt::Key_X, Qt::NoModifier, 'x');  // no jump to "x2"
        QCOMPARE(grid.GetFocusCell(), std::make_pair(1, 1));
        QVERIFY(grid.IsItemReadOnly(1, 1));
        QVERIFY(!grid.IsCellEditable(0, 2));
        QVERIFY(grid.IsCellEditable(2, 1));
    }

    void notificationsReportGridRowsAndColumns() {
        CGridCtrl grid(m_ui);
        RecordingGridListener listener;
        Fill(grid, listener);
        grid.resize(400, 300);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        listener.events.clear();

        QRect cell = grid.visualRect(grid.Model().IndexOf(2, 1));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(listener.events, QStringList({"focus 2,1", "click 2,1"}));

        listener.events.clear();
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(390, 280));
        QCOMPARE(listener.events.last(), QString("click -1,-1"));

        listener.events.clear();
        ClickGridHeader(&grid, 2);
        QCOMPARE(listener.events.last(), QString("click 0,2"));

        listener.events.clear();
        QContextMenuEvent menu(QContextMenuEvent::Mouse, cell.center(),
                               grid.viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(grid.viewport(), &menu);
        QCOMPARE(listener.events, QStringList({"right 2,1"}));
    }

    void aListenerThatHasGoneIsNotCalledEvenWhenAnotherTakesItsPlace() {
        CGridCtrl grid(m_ui);
        // A page goes before the tables among its children, and a new
        // listener may well be made where the old one was.
        alignas(RecordingGridListener) unsigned char place[sizeof(RecordingGridListener)];
        auto* gone = new (place) RecordingGridListener;
        Fill(grid, *gone);
        gone->~RecordingGridListener();
        auto* listener = new (place) RecordingGridListener;
        grid.SetFocusCell(2, 1);
        QTest::keyClick(&grid, Qt::Key_K, Qt::NoModifier, 'k');
        QVERIFY(grid.IsEditing());
        const QStringList heard = listener->events;
        listener->~RecordingGridListener();
        QVERIFY(heard.isEmpty());
    }

    void headerRowIsShownAsColumnHeaders() {
        CGridCtrl grid(m_ui);
        Fill(grid);
        QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QString("B"));
        QCOMPARE(grid.model()->rowCount(), 3);
        grid.SetItemText(0, 1, "Renamed");
        QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QString("Renamed"));
        grid.DeleteNonFixedRows();
        QCOMPARE(grid.GetRowCount(), 1);
        QCOMPARE(grid.GetItemText(0, 1), QString("Renamed"));
        grid.DeleteAllItems();
        QCOMPARE(grid.GetRowCount(), 0);
        grid.SetFixedRowCount(1);
        QCOMPARE(grid.GetRowCount(), 1);
        QCOMPARE(grid.GetItemText(0, 1), QString());
    }

    void aSourcesRowsAreAskedForWhenShownAndChangedCellsKeptWhileTheyDiffer() {
        CGridCtrl grid(m_ui);
        Fill(grid);
        grid.SetItemReadOnly(2, 1);  // a cell rule of the rows the source replaces
        grid.resize(300, 200);
        grid.show();
        int asked = 0;
        constexpr int kRows = 1000000;
        grid.SetCellSource(std::make_unique<CountingSource>(kRows, &asked));
        grid.AutoSizeColumns();
        QCoreApplication::processEvents();
        grid.viewport()->repaint();
        QCOMPARE(grid.GetRowCount(), kRows + 1);
        QCOMPARE(grid.model()->rowCount(), kRows);
        QVERIFY2(asked < 10000, "a million rows are not read to be shown");

        struct Cell {
            int row;
            int column;
            QString text;
            bool editable;
            QString hint;
            bool marked;
        };
        const Cell cells[] = {
            {0, 1, "B", false, "", false},  // the header stays the table's own
            {1, 0, "a0", true, "", false},
            {2, 1, "b1", true, "hint 1", true},
            {kRows, 2, "c999999", false, "", true},
        };
        for (const Cell& c : cells) {
            QCOMPARE(grid.GetItemText(c.row, c.column), c.text);
            QCOMPARE(grid.IsCellEditable(c.row, c.column), c.editable);
            QCOMPARE(grid.IsItemMarked(c.row, c.column), c.marked);
            const QModelIndex at = grid.Model().IndexOf(c.row, c.column);
            if (at.isValid()) {
                QCOMPARE(grid.Model().data(at, Qt::ToolTipRole).toString(), c.hint);
            }
        }

        // A changed cell shows its text until it is the source's again.
        RecordingGridListener listener;
        grid.SetListener(&listener);
        grid.SetFocusCell(3, 0);
        QCOMPARE(grid.PasteText("x\ty\tz\nw"), 3);  // the third column is read-only
        QCOMPARE(GridRowTexts(&grid, 3), QStringList({"x", "y", "c2"}));
        QCOMPARE(grid.GetItemText(4, 0), QString("w"));
        QCOMPARE(grid.Model().OverrideCount(), size_t{3});
        grid.SetItemText(3, 1, "b2");
        QCOMPARE(grid.Model().OverrideCount(), size_t{2});
        grid.SetSelectedRange({3, 0, 4, 2});
        QCOMPARE(grid.CopyText(), std::string("x\tb2\tc2\nw\tb3\tc3"));

        // Fewer columns forget what was typed in the ones gone.
        grid.SetColumnCount(1);
        grid.SetColumnCount(3);
        QCOMPARE(GridRowTexts(&grid, 3), QStringList({"x", "b2", "c2"}));

        // A new source starts afresh; appending a row lets go of it.
        grid.SetCellSource(std::make_unique<CountingSource>(2, &asked));
        QCOMPARE(grid.GetRowCount(), 3);
        QCOMPARE(grid.GetItemText(1, 0), QString("a0"));
        QCOMPARE(grid.Model().OverrideCount(), size_t{0});
        grid.InsertRow(QString("own"));
        grid.Model().Flush();
        QCOMPARE(grid.GetRowCount(), 2);
        QCOMPARE(grid.GetItemText(1, 0), QString("own"));
        QVERIFY(grid.Model().Source() == nullptr);
    }

    void modelStaysConsistentThroughEveryChange() {
        CGridCtrl grid(m_ui);
        QAbstractItemModelTester tester(&grid.Model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        Fill(grid);
        for (int i = 0; i < 50; ++i) {
            grid.InsertRow(QString::number(i));
        }
        QCOMPARE(grid.model()->rowCount(), 3);  // announced when the loop runs
        QCoreApplication::processEvents();
        QCOMPARE(grid.model()->rowCount(), 53);
        grid.SetItemText(10, 2, "changed");
        grid.SetColumnCount(5);
        grid.SetColumnCount(2);
        QCOMPARE(grid.GetItemText(10, 2), QString());
        grid.SetRowCount(20);
        QCOMPARE(grid.model()->rowCount(), 19);
        int asked = 0;
        grid.SetCellSource(std::make_unique<CountingSource>(30, &asked));
        QCOMPARE(grid.model()->rowCount(), 30);
        grid.SetItemText(5, 1, "typed");
        grid.SetCellSource(std::make_unique<CountingSource>(3, &asked));
        grid.SetFixedColumnCount(1);
        grid.DeleteNonFixedRows();
        grid.DeleteAllItems();
        grid.SetFixedRowCount(1);
        grid.InsertRow(QString("again"));
        grid.Model().Flush();
        QCOMPARE(grid.model()->rowCount(), 1);
    }
};

QTEST_MAIN(GridCtrlTest)
#include "GridCtrlTest.moc"
