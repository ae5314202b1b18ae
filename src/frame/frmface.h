#pragma once
// The splash window: shown over everything while the main window loads, without taking
// the activation away from it.

#include <QWidget>

class frmface : public QWidget {
    Q_OBJECT
public:
    explicit frmface(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
