#pragma once
// The logged-in operator changes his or her own password.

#include "gridwin/dialogframe.h"

class QLabel;

class frmmmxg : public DialogFrame {
    Q_OBJECT
public:
    explicit frmmmxg(QWidget *parent = nullptr);

    QLabel *Labeldm;
    QLabel *Labelczy;
    QLineEdit *textymm;
    QLineEdit *textxmm;
    QLineEdit *textqrmm;

    void editrecord() override;
    void saverecord() override;
    void canceledit() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
