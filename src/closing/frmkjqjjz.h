#pragma once
// The period closing as the user sees it: the window stands with a wait text while the
// closing runs as one unit of work, then says where the books now stand. Shown modally,
// only by the closing gate of the main window.

#include <QDialog>

class QLabel;

class frmkjqjjz : public QDialog {
    Q_OBJECT
public:
    explicit frmkjqjjz(QWidget *parent = nullptr);

    QLabel *Label1() const { return Label1_; }

    // Runs the closing once; the window runs it as soon as it first stands on screen.
    void Form_Load();
    bool finished() const { return finished_; }

signals:
    // The closing committed: the month shown by windows opened before it is history.
    void periodClosed();

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool started_ = false;
    bool finished_ = false;

    QLabel *Label1_;
};
