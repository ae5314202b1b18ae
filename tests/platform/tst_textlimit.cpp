// Length limits of entry boxes: counted in characters, stopping typing without ever
// splitting a character or shortening text that code put into the box.
#include "platform/textlimit.h"

#include <QLineEdit>
#include <QtTest>

class tst_textlimit : public QObject {
    Q_OBJECT
private slots:
    void insertStopsAtTheLimit_data();
    void insertStopsAtTheLimit();
};

void tst_textlimit::insertStopsAtTheLimit_data()
{
    // The box holds `start` (set by code), limited to 3 characters; [from, from + length)
    // is selected and `inserted` goes in as typed or pasted.
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<QString>("expected");
    auto row = [](const char *tag, const QString &start, int from, int length, const QString &inserted,
                  const QString &expected) { QTest::newRow(tag) << start << from << length << inserted << expected; };
    const QString smile = QStringLiteral("😀");
    row("typing stops", "", 0, 0, "abcd", "abc");
    row("a wide character counts once", "ab", 2, 0, smile, "ab" + smile);
    row("never half of one", "ab", 2, 0, smile + smile, "ab" + smile);
    row("none at the limit", "abc", 3, 0, smile, "abc");
    row("in the middle, the rest stays", "ab", 1, 0, "xyz", "axb");
    row("over a selection", "abc", 0, 3, "wxyz", "wxy");
    row("longer text set by code stays whole", "abcdef", 6, 0, "x", "abcdef");
    row("longer text may be shortened", "abcdef", 0, 2, "x", "xcdef");
    // What comes in is one line: a run of tabs and line breaks is a blank, none where it
    // would begin or end the text; other control characters go. Text set by code stays.
    row("a line break is a blank", "", 0, 0, "a\r\n\tb", "a b");
    row("none at the ends", "", 0, 0, "\n\u2028y\t", "y");
    row("after old text", "x", 1, 0, "\ny\t", "x y");
    row("before old text", "z", 0, 0, "\ty\n", "y z");
    row("control characters go", "", 0, 0, "a\001\033b", "ab");
    row("before the limit counts", "", 0, 0, "a\nb\ncd", "a b");
    row("set by code", "a\tb", 3, 0, "", "a\tb");
}

void tst_textlimit::insertStopsAtTheLimit()
{
    QFETCH(QString, start);
    QFETCH(int, from);
    QFETCH(int, length);
    QFETCH(QString, inserted);
    QFETCH(QString, expected);
    QLineEdit box;
    platform::limitCharacters(&box, 3, QStringLiteral("代号"));
    box.setText(start);
    QCOMPARE(box.text(), start);
    if (length > 0)
        box.setSelection(from, length);
    else
        box.setCursorPosition(from);
    box.insert(inserted);
    QCOMPARE(box.text(), expected);
    QVERIFY(box.hasAcceptableInput());
}

QTEST_MAIN(tst_textlimit)
#include "tst_textlimit.moc"
