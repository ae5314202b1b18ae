#pragma once
// The operators: who may log in. Listed, added, changed, deleted and searched in a grid.

#include "gridwin/gridframe.h"

class InGridEditor;

class frmczy : public GridFrame {
    Q_OBJECT
public:
    explicit frmczy(QWidget *parent = nullptr);

    InGridEditor *editor;

    void appendrecord();
    void editrecord();
    void deleterecord();
    void canceledit();
    void saverecord();

private:
    void text1Enter();
    void text2Enter();
    void quickSearch();
    bool numberTaken(const QString &number, QString *error);
    bool saveAppend();
    bool saveChange();

    bool addflag = false;
    bool editflag = false;
    QString origname;
    QString origphone;
};
