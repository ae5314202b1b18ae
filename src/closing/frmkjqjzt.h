#pragma once
// Where the books stand: the current period, how many vouchers it holds, how many of
// them do not balance, and today's date. A snapshot taken when the window opens.

#include <QDate>
#include <QDialog>

class QLabel;

class frmkjqjzt : public QDialog {
    Q_OBJECT
public:
    // Reads the status at once (leaving the unbalanced vouchers in pzktemp).
    explicit frmkjqjzt(QWidget *parent = nullptr, const QDate &today = QDate::currentDate());

    // False when the status could not be read; the user has been told.
    bool loaded() const { return loaded_; }
    QLabel *valueLabel(int row) const; // Label5 to Label8, rows 1 to 4

    // "2026年3月5日": the date as the window shows it.
    static QString dateText(const QDate &date);

private:
    bool loaded_ = false;
    QLabel *values_[4] = {};
};
