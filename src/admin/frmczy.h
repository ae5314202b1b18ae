#pragma once
// The operators: who may log in. Listed, added, changed, deleted and searched in a grid.

#include "gridwin/recordwindow.h"

class frmczy : public RecordWindow {
    Q_OBJECT
public:
    explicit frmczy(QWidget *parent = nullptr);

    void deleterecord() override;

protected:
    void text1Enter() override;
    bool saveAppend() override;
    Change saveChange() override;
    RecordsetPtr storedRow(int r, QString *error) override;
    RecordsetPtr searchRows(const QString &typed, QString *error) override;
};
