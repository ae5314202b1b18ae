#pragma once
// The operators: who may log in. Listed, added, changed, deleted and searched in a grid.

#include "gridwin/recordwindow.h"

#include <optional>

class frmczy : public RecordWindow {
    Q_OBJECT
public:
    explicit frmczy(QWidget *parent = nullptr);

    void deleterecord() override;

protected:
    void text1Enter() override;
    bool saveAppend() override;
    bool saveChange() override;
    RecordsetPtr searchRows(const QString &typed, QString &status) override;

private:
    // Whether an operator has the number (letter case ignored); nothing when the
    // look-up failed, which the user has been told.
    std::optional<bool> numberTaken(const QString &number);
};
