// The voucher query-and-edit window: correcting an amount, cancelling, deleting a line,
// lines changed elsewhere meanwhile, and what it prints.
#include "gridwin/ingrideditor.h"
#include "platform/flexgrid.h"
#include "platform/keyedtoolbar.h"
#include "platform/report/reportlayout.h"
#include "reportpages.h"
#include "reports/printreport.h"
#include "testsupport.h"
#include "vouchers/frmpzcx.h"

#include <QLineEdit>
#include <QtTest>

using testsupport::MessageBoxes;
using testsupport::TestDb;

namespace {

const QString kNotANumber = QStringLiteral("输入内容应为数字型!");

// Two identical lines of voucher 1, then one line of voucher 2; listed in that order.
void seed(TestDb &db)
{
    db.run("update dwmc set dw_name = '甲公司'");
    db.run("update dqkjqj set kjqj = '2026年01月'");
    db.run("insert into pzk (rq, pz_no, km_no, km_zjf, km_name, kjqj, jfje, dfje) values "
           "('2026-01-05', 1, '1001', 'XJ', '现金', '2026年01月', 50000, 0), "
           "('2026-01-05', 1, '1001', 'XJ', '现金', '2026年01月', 50000, 0), "
           "('2026-01-06', 2, '2001', 'DQJK', '短期借款', '2026年01月', 0, 100000)");
}

QStringList stored(TestDb &db) { return db.rows("select pz_no, jfje, dfje from pzk order by rowid"); }

void click(frmpzcx &w, const char *key) { w.Toolbar1()->click(QString::fromLatin1(key)); }

// Replaces the open editor's text as a person would; a null text leaves it alone.
void retype(QLineEdit *editor, const QString &text)
{
    if (text.isNull())
        return;
    editor->selectAll();
    if (text.isEmpty())
        QTest::keyClick(editor, Qt::Key_Delete);
    else
        testsupport::typeText(editor, text);
}

// Opens the correction on row r, types the debit, Enter, then the credit.
QLineEdit *openCorrection(frmpzcx &w, int r, const QString &debit, const QString &credit = {})
{
    w.MSFlexGrid1()->setRow(r);
    click(w, "button_edit");
    QLineEdit *e = w.editor()->text2();
    retype(e, debit);
    QTest::keyClick(e, Qt::Key_Return);
    retype(e, credit);
    return e;
}

QStringList cells(const frmpzcx &w, int r)
{
    QStringList out;
    for (int c = 0; c < w.MSFlexGrid1()->cols(); ++c)
        out << w.MSFlexGrid1()->textMatrix(r, c);
    return out;
}

} // namespace

class tst_frmpzcx : public QObject {
    Q_OBJECT
private slots:
    void correct_data();
    void correct();
    void cancelRestoresBothCells();
    void deleteOneOfTwoIdenticalLines();
    void lineChangedElsewhere_data();
    void lineChangedElsewhere();
    void printsTheRowsItShows();
};

void tst_frmpzcx::correct_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("debit");
    QTest::addColumn<QString>("credit");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("after");
    const QStringList untouched{"1|50000|0", "1|50000|0", "2|0|100000"};
    QTest::newRow("second of two identical lines")
        << 2 << "12.5" << QString() << QStringList() << QStringList{"1|50000|0", "1|1250|0", "2|0|100000"};
    QTest::newRow("rounded to the cent") << 1 << "-0.125"
                                         << "3" << QStringList() << QStringList{"1|-13|300", "1|50000|0", "2|0|100000"};
    QTest::newRow("credit cleared") << 3 << QString() << "" << QStringList()
                                    << QStringList{"1|50000|0", "1|50000|0", "2|0|0"};
    QTest::newRow("nothing changed") << 1 << QString() << QString() << QStringList() << untouched;
    // Enter refuses, and so does the save.
    QTest::newRow("letters") << 1 << "abc" << QString() << QStringList{kNotANumber, kNotANumber} << untouched;
    QTest::newRow("grouped digits") << 1 << "1,000" << QString() << QStringList{kNotANumber, kNotANumber} << untouched;
}

void tst_frmpzcx::correct()
{
    QFETCH(int, row);
    QFETCH(QString, debit);
    QFETCH(QString, credit);
    QFETCH(QStringList, messages);
    TestDb db;
    seed(db);
    MessageBoxes boxes;
    frmpzcx w;
    w.show();
    QLineEdit *e = openCorrection(w, row, debit, credit);
    const QStringList before = cells(w, row);
    click(w, "button_save");
    QCOMPARE(boxes.texts(), messages);
    QTEST(stored(db), "after");
    // A refusal keeps the correction open on the debit cell; a save closes it and the
    // grid keeps the texts as typed.
    QCOMPARE(e->isVisible(), !messages.isEmpty());
    QCOMPARE(w.MSFlexGrid1()->col(), messages.isEmpty() ? 0 : 4);
    QCOMPARE(cells(w, row), before);
    QCOMPARE(w.isButtonEnabled("button_edit"), messages.isEmpty());
    QCOMPARE(w.MSFlexGrid1()->isEnabled(), messages.isEmpty());
}

void tst_frmpzcx::cancelRestoresBothCells()
{
    TestDb db;
    seed(db);
    frmpzcx w;
    w.show();
    const QStringList before = cells(w, 3);
    QLineEdit *e = openCorrection(w, 3, "7", "8");
    QTest::keyClick(e, Qt::Key_Return); // back on the debit cell
    QCOMPARE(w.MSFlexGrid1()->textMatrix(3, 5), QStringLiteral("8"));
    click(w, "button_cx");
    QCOMPARE(cells(w, 3), before);
    QVERIFY(!e->isVisible());
    QCOMPARE(stored(db).last(), QStringLiteral("2|0|100000"));
    // The last row: back on, forward off.
    QVERIFY(w.isButtonEnabled("button_back") && !w.isButtonEnabled("button_next"));
}

void tst_frmpzcx::deleteOneOfTwoIdenticalLines()
{
    TestDb db;
    seed(db);
    MessageBoxes boxes;
    frmpzcx w;
    w.show();
    w.MSFlexGrid1()->setRow(2);
    boxes.answer(QMessageBox::No);
    click(w, "button_delete");
    QCOMPARE(w.dataRows(), 3);
    click(w, "button_delete"); // answered with the default, Yes
    QCOMPARE(boxes.texts(), QStringList(2, QStringLiteral("确定要删除该凭证吗？")));
    QCOMPARE(stored(db), (QStringList{"1|50000|0", "2|0|100000"}));
    QCOMPARE(w.dataRows(), 2);
    QCOMPARE(cells(w, 2), (QStringList{"2", "2026-01-06", "2", "短期借款", "", "1000.00", ""}));
    // The last lines go too; an empty list still prints.
    w.MSFlexGrid1()->setRow(1);
    click(w, "button_delete");
    click(w, "button_delete");
    QCOMPARE(db.count("pzk"), 0);
    QCOMPARE(w.MSFlexGrid1()->rows(), 1);
    QVERIFY(!w.isButtonEnabled("button_edit") && !w.isButtonEnabled("button_delete"));
    QVERIFY(w.isButtonEnabled("button_print") && !w.isButtonEnabled("button_next"));
}

void tst_frmpzcx::lineChangedElsewhere_data()
{
    QTest::addColumn<QString>("meanwhile"); // done to the second line after the listing
    QTest::addColumn<bool>("deleting");
    QTest::newRow("deleted, then corrected") << "delete from pzk where rowid = 2" << false;
    QTest::newRow("corrected, then corrected") << "update pzk set jfje = 1 where rowid = 2" << false;
    QTest::newRow("deleted, then deleted") << "delete from pzk where rowid = 2" << true;
    QTest::newRow("corrected, then deleted") << "update pzk set jfje = 1 where rowid = 2" << true;
}

void tst_frmpzcx::lineChangedElsewhere()
{
    QFETCH(QString, meanwhile);
    QFETCH(bool, deleting);
    TestDb db;
    seed(db);
    MessageBoxes boxes;
    frmpzcx w;
    w.show();
    db.run(meanwhile);
    const QStringList before = stored(db);
    if (deleting) {
        w.MSFlexGrid1()->setRow(2);
        click(w, "button_delete");
    } else {
        openCorrection(w, 2, "9");
        click(w, "button_save");
        QVERIFY(w.editor()->text2()->isVisible()); // the correction stays, to be cancelled
    }
    QVERIFY2(boxes.lastText().contains(QStringLiteral("已在别处被修改或删除")), qPrintable(boxes.lastText()));
    QCOMPARE(stored(db), before);
    QCOMPARE(w.dataRows(), 3);
}

void tst_frmpzcx::printsTheRowsItShows()
{
    TestDb db;
    seed(db);
    MessageBoxes boxes;
    QList<platform::report::ReportDocument> prints;
    reports::setPreviewHandler([&](const platform::report::Report &report, QWidget *) {
        prints << platform::report::layoutReport(report, QDate(2026, 1, 31));
    });
    frmpzcx w;
    w.show();
    openCorrection(w, 2, "12.5");
    click(w, "button_save");
    w.MSFlexGrid1()->setRow(1);
    click(w, "button_delete");
    click(w, "button_print");
    reports::setPreviewHandler({});
    QCOMPARE(prints.size(), 1);
    const auto &page = prints.first().pages.first();
    using testsupport::text;
    using testsupport::texts;
    QCOMPARE(texts(page, "Text2"), (QStringList{"1", "2"}));
    QCOMPARE(texts(page, "Text3"), (QStringList{"现金", "短期借款"}));
    QCOMPARE(texts(page, "Text4"), (QStringList{"12.50", "0.00"}));
    QCOMPARE(texts(page, "Text5"), (QStringList{"0.00", "1,000.00"}));
    QCOMPARE(text(page, "Function1") + ' ' + text(page, "Function2"), QStringLiteral("12.50 1,000.00"));
    QCOMPARE(text(page, "Label3") + ' ' + text(page, "Label5"), QStringLiteral("甲公司 2026年01月"));
}

QTEST_MAIN(tst_frmpzcx)
#include "tst_frmpzcx.moc"
