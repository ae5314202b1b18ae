#pragma once
// The About box: title, version, pictures and the maker's contact address. A click
// anywhere closes it; a click on the address writes a mail.

#include <QDialog>

class QLabel;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);
    static QString contactAddress();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *lblContact_;
};
