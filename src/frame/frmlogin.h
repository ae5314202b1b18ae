#pragma once
// The login window: an operator number and password checked against the operators,
// three tries at most.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class frmlogin : public QDialog {
    Q_OBJECT
public:
    explicit frmlogin(QWidget *parent = nullptr);

    // True once a login succeeded; read by Main after the window is hidden.
    bool loginok() const { return loginok_; }
    int tries() const { return trycount_; }
    QLineEdit *txtitem1() const { return txtitem1_; } // the operator number
    QLineEdit *txtitem2() const { return txtitem2_; } // the password

    void Cmdok_Click();
    void Cmdcancel_Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    qint16 trycount_ = 0;
    QLabel *Label1_;
    QLabel *Label2_;
    QLabel *Label3_;
    QLineEdit *txtitem1_;
    QLineEdit *txtitem2_;
    QPushButton *Cmdok_;
    QPushButton *Cmdcancel_;

    bool loginok_ = false;
};
