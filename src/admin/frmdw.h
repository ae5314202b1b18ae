#pragma once
// The company record: the one row of dwmc, shown and changed in five boxes.

#include "admin/company.h"
#include "gridwin/dialogframe.h"

class frmdw : public DialogFrame {
    Q_OBJECT
public:
    explicit frmdw(QWidget *parent = nullptr);
    QLineEdit *txtitem(int index) const { return entryBoxes().at(index); }

    void editrecord() override;
    void saverecord() override;
    void canceledit() override;

private:
    void showCompany();

    admin::Company shown_; // the record as last loaded or saved
};
