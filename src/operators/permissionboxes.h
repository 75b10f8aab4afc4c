#pragma once

#include "permissions.h"

#include <QGroupBox>
#include <QList>

class QCheckBox;
class QPushButton;

// The group "权限列表": check box n stands for flag n. With the toggle the group also holds
// the small "全选"/"全清" button of the edit windows.
class PermissionBoxes : public QGroupBox
{
    Q_OBJECT
public:
    enum class Toggle { None, Shown };

    explicit PermissionBoxes(Toggle toggle, QWidget *parent = nullptr);

    QCheckBox *checkBox(int flag) const { return m_boxes.at(flag - 1); }
    QPushButton *toggleAllButton() const { return m_toggleAllButton; }

    PermissionSet flags() const;
    void setFlags(const PermissionSet &flags);
    void setAll(bool on);

    // "全选" checks every box and offers "全清"; "全清" clears them and offers "全选".
    void ToggleAllFlags();

private:
    QList<QCheckBox *> m_boxes;
    QPushButton *m_toggleAllButton = nullptr;
};
