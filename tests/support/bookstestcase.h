#pragma once
// The shape most window suites share: each test gets its own copy of the books and a
// person answering its message boxes, both gone when the test ends, and the pointer is
// put back however the test left it.

#include "platform/desktop.h"
#include "testsupport.h"

#include <QObject>

#include <optional>

namespace testsupport {

class BooksTestCase : public QObject {
    Q_OBJECT
protected:
    std::optional<TestDb> db_;
    std::optional<MessageBoxes> boxes_;

private slots:
    void init()
    {
        db_.emplace();
        boxes_.emplace();
    }
    void cleanup()
    {
        platform::restorePointer();
        boxes_.reset();
        db_.reset();
    }
};

} // namespace testsupport
