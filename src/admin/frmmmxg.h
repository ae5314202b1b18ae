#pragma once
// The logged-in operator changes his or her own password.

#include "gridwin/dialogframe.h"

class QLabel;

class frmmmxg : public DialogFrame {
    Q_OBJECT
public:
    explicit frmmmxg(QWidget *parent = nullptr);

    QLabel *Labeldm() const { return Labeldm_; }
    QLabel *Labelczy() const { return Labelczy_; }
    QLineEdit *textymm() const { return textymm_; }
    QLineEdit *textxmm() const { return textxmm_; }
    QLineEdit *textqrmm() const { return textqrmm_; }

    void editrecord() override;
    void saverecord() override;
    void canceledit() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *Labeldm_;
    QLabel *Labelczy_;
    QLineEdit *textymm_;
    QLineEdit *textxmm_;
    QLineEdit *textqrmm_;
};
