// The date box: a date set by the program or picked in its calendar, and its keys.
#include "platform/desktop.h"
#include "platform/dtpicker.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

using platform::DTPicker;

class tst_dtpicker : public QObject {
    Q_OBJECT
private slots:
    void dateSetOrPicked();
    void keys();
};

void tst_dtpicker::dateSetOrPicked()
{
    DTPicker picker;
    QCOMPARE(picker.value(), QDate::currentDate());
    picker.setValue(QDate(2026, 5, 7));
    QCOMPARE(picker.text(), QStringLiteral("2026-05-07"));
    QVERIFY(picker.calendarPopup());
    picker.calendarWidget()->setSelectedDate(QDate(2026, 5, 21));
    QCOMPARE(picker.value(), QDate(2026, 5, 21));
}

void tst_dtpicker::keys()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *picker = new DTPicker;
    auto *next = new QLineEdit;
    layout->addWidget(picker);
    layout->addWidget(next);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    picker->setFocus();
    picker->setValue(QDate(2026, 5, 7));

    // A handler sees each key first and may swallow it; Enter-as-Tab leaves the box
    // whichever of its parts the cursor is in.
    connect(picker, &DTPicker::keyDown, this, [](int &key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Up)
            key = 0;
        platform::entertotab(key);
    });
    QTest::keyClick(picker, Qt::Key_Up);
    QCOMPARE(picker->value(), QDate(2026, 5, 7));
    QVERIFY(picker->hasFocus());
    QTest::keyClick(picker, Qt::Key_Return);
    QVERIFY(next->hasFocus());
}

QTEST_MAIN(tst_dtpicker)
#include "tst_dtpicker.moc"
