#pragma once

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;

// The screen lock. Until "离开" it may be cancelled; once locked only "唤醒" with the
// password typed at login lets the operator back in. Escape, Alt+F4 and the window
// manager's close do nothing in either state.
class Tguaqi : public QDialog
{
    Q_OBJECT
public:
    explicit Tguaqi(QWidget *parent = nullptr);

    QGroupBox *lockGroup() const { return m_lockGroup; }
    QLineEdit *passwordEdit() const { return m_passwordEdit; }
    QPushButton *leaveButton() const { return m_leaveButton; }
    QPushButton *wakeButton() const { return m_wakeButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }
    bool isLocked() const { return m_locked; }

    void FormShow();
    void leaveButtonClick();
    void wakeButtonClick();
    void cancelButtonClick();

    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool passwordRight();
    void finish(int result);

    QGroupBox *m_lockGroup;
    QLineEdit *m_passwordEdit;
    QPushButton *m_leaveButton;
    QPushButton *m_wakeButton;
    QPushButton *m_cancelButton;
    bool m_locked = false;
    bool m_mayClose = false;
};

// The toolbar's "暂时离开": the lock without an owner, modal, gone when it closes.
void LockScreen();
