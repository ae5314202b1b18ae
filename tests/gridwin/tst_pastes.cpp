// A paste too long for its box or grid cell, in the windows that limit what is typed,
// by keys, context menu or drop: refused whole with a message naming the box, the box
// as it was, and the save stores what the box held; a paste that fits is taken whole.
#include "accounts/frmkjkm.h"
#include "accounts/frmqykjqj.h"
#include "admin/frmczy.h"
#include "admin/frmdw.h"
#include "bookstestcase.h"
#include "db/period.h"
#include "gridwin/ingrideditor.h"
#include "vouchers/frmpzlr.h"
#include "windowsteps.h"

#include <QClipboard>
#include <QMenu>
#include <QMimeData>

#include <functional>
#include <memory>

namespace {

// One window shown and started on a new record: the values typed into its boxes in
// order, how to reach box i once the boxes before it hold theirs, and what the save
// stores, as one text.
struct Form {
    std::unique_ptr<QWidget> window;
    QStringList values;
    std::function<QLineEdit *(int)> boxAt;
    QString stored;
    std::function<void()> save;
};

template <class Window>
Window *start(Form &form, const char *key)
{
    auto *w = new Window;
    form.window.reset(w);
    w->show();
    QApplication::setActiveWindow(w);
    windowsteps::click(*w, key);
    form.save = [w] { windowsteps::click(*w, "button_save"); };
    return w;
}

// An editor that moves on with Enter: box i is the editor once Enter left box i - 1.
std::function<QLineEdit *(int)> movingOnWithEnter(QLineEdit *editor)
{
    return [editor](int i) {
        if (i > 0)
            QTest::keyClick(editor, Qt::Key_Return);
        return editor;
    };
}

Form open(const QString &name, testsupport::TestDb &db)
{
    Form f;
    if (name == "frmdw") {
        auto *w = start<frmdw>(f, "button_edit");
        f.values = {"张三", "澄川贸易", "杭州", "310000", "0571-8888"};
        f.boxAt = [w](int i) { return w->txtitem(i); };
        f.stored = "select frdb||'|'||dw_name||'|'||dw_address||'|'||yzbm||'|'||lxdh from dwmc";
    } else if (name == "frmqykjqj") {
        auto *w = start<frmqykjqj>(f, "button_edit");
        f.values = {"2024", "3"};
        f.boxAt = [w](int i) { return w->txtitem(i); };
        f.stored = "select kjqj from dqkjqj";
    } else if (name == "Frmkjkm") {
        f.values = {"2001", "DQJK", "短期借款", "12"};
        f.boxAt = movingOnWithEnter(start<Frmkjkm>(f, "button_append")->editor()->text1());
        f.stored = "select km_no||'|'||km_zjf||'|'||km_name||'|'||km_page from kmdmk where km_zjf='DQJK'";
    } else if (name == "frmczy") {
        f.values = {"8", "张三", "0571-8888"};
        f.boxAt = movingOnWithEnter(start<frmczy>(f, "button_append")->editor()->text1());
        f.stored = "select czyno||'|'||czyname||'|'||lxdh from czy where czyname='张三'";
    } else if (name == "frmpzlr") {
        const QDate today = QDate::currentDate();
        db.run("update dqkjqj set kjqj=?", {Period{today.year(), today.month()}.text()});
        db.run("insert into kmdmk (km_no, km_zjf, km_name) values ('1001','XJ','现金'), ('2001','DQJK','短期借款')");
        auto *w = start<frmpzlr>(f, "button_append");
        testsupport::typeText(w->Textpzhm(), "1");
        // Line 1: code, debit, credit, Enter to go on; line 2: code, debit, credit.
        f.values = {"1001", "5", "", "", "2001", "", "5"};
        f.boxAt = movingOnWithEnter(w->TextSR());
        f.stored = "select group_concat(km_no||'|'||jfje||'|'||dfje, ' ') from pzk";
    }
    return f;
}

QString refusal(const char *box, int most)
{
    return QStringLiteral("粘贴后内容超过【%1】的长度限制（最多%2个字符），未粘贴，请核对后重新输入！")
        .arg(QString::fromUtf8(box))
        .arg(most);
}

// Pastes text into box by way: Ctrl+V or Shift+Insert over all of it, its context
// menu's paste over all of it, or a drop at its end. A drop refused takes nothing from
// where it came.
void paste(QLineEdit *box, const QString &way, const QString &text, bool refused)
{
    QGuiApplication::clipboard()->setText(text);
    box->selectAll();
    if (way == "menu") {
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2), box->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(box, &click);
        QMenu *menu = box->findChild<QMenu *>();
        for (QAction *item : menu->actions()) {
            if (item->text().startsWith("&Paste"))
                item->trigger();
        }
        menu->close();
    } else if (way == "drop") {
        QMimeData data;
        data.setText(text);
        const QPoint end(box->width() - 1, box->height() / 2);
        QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box, &enter);
        QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box, &drop);
        QCOMPARE(drop.dropAction(), refused ? Qt::IgnoreAction : Qt::CopyAction);
    } else if (way == "Shift+Insert") {
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    } else {
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }
}

} // namespace

class tst_pastes : public testsupport::BooksTestCase {
    Q_OBJECT
private slots:
    void pasteIsTakenWholeOrRefused_data();
    void pasteIsTakenWholeOrRefused();
};

void tst_pastes::pasteIsTakenWholeOrRefused_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("box"); // its place in the window's typing order
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("message"); // empty: the paste fits and is taken
    QTest::addColumn<QString>("stored");
    auto row = [](const char *tag, const char *window, int box, const char *way, const QString &pasted,
                  const QString &message,
                  const QString &stored) { QTest::newRow(tag) << window << box << way << pasted << message << stored; };
    const QString company = "张三|澄川贸易|杭州|310000|0571-8888";
    row("company postcode", "frmdw", 3, "Ctrl+V", "3100123", refusal("邮政编码", 6), company);
    row("company telephone", "frmdw", 4, "Shift+Insert", "0571-88886666-1234", refusal("联系电话", 15), company);
    row("company name", "frmdw", 1, "menu", QString(41, u'澄'), refusal("单位名称", 40), company);
    row("company postcode that fits", "frmdw", 3, "Ctrl+V", "310012", "", "张三|澄川贸易|杭州|310012|0571-8888");
    row("first year", "frmqykjqj", 0, "Ctrl+V", "20256", refusal("初始会计期间年份", 4), "2024年03月");
    row("first month", "frmqykjqj", 1, "Ctrl+V", "112", refusal("初始会计期间月份", 2), "2024年03月");
    row("first month that fits", "frmqykjqj", 1, "menu", "11", "", "2024年11月");
    row("account code", "Frmkjkm", 0, "Ctrl+V", "10011", refusal("科目编号", 4), "2001|DQJK|短期借款|12");
    row("ledger page", "Frmkjkm", 3, "Ctrl+V", "12345", refusal("总帐页码", 4), "2001|DQJK|短期借款|12");
    row("account name that fits", "Frmkjkm", 2, "drop", "（外币）", "", "2001|DQJK|短期借款（外币）|12");
    row("operator number", "frmczy", 0, "Ctrl+V", "1234567", refusal("操作员编号", 6), "8|张三|0571-8888");
    row("operator telephone", "frmczy", 2, "drop", "-88886666-1234", refusal("联系电话", 20), "8|张三|0571-8888");
    const QString voucher = "1001|500|0 2001|0|500";
    row("debit amount", "frmpzlr", 1, "Ctrl+V", "1234567890123", refusal("借方金额", 12), voucher);
    row("debit amount with cents", "frmpzlr", 1, "Ctrl+V", "123456789.125", refusal("借方金额", 12), voucher);
    // The search column's limit holds from the moment the editor arrives from an amount.
    row("account searched", "frmpzlr", 4, "Ctrl+V", "10011", refusal("科目检索", 4), voucher);
}

void tst_pastes::pasteIsTakenWholeOrRefused()
{
    QFETCH(QString, window);
    QFETCH(int, box);
    QFETCH(QString, way);
    QFETCH(QString, pasted);
    QFETCH(QString, message);
    Form form = open(window, *db_);
    for (int i = 0; i < form.values.size(); ++i) {
        QLineEdit *entry = form.boxAt(i);
        entry->selectAll();
        testsupport::typeText(entry, form.values[i]);
        if (i != box)
            continue;
        paste(entry, way, pasted, !message.isEmpty());
        QCOMPARE(boxes_->texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) // the text as typed, selected as it was (a drop has placed the cursor)
            QCOMPARE(entry->text() + '|' + entry->selectedText(),
                     form.values[i] + '|' + (way == "drop" ? QString() : form.values[i]));
    }
    boxes_->clear();
    form.save();
    QTEST(db_->scalar(form.stored), "stored");
}

QTEST_MAIN(tst_pastes)
#include "tst_pastes.moc"
