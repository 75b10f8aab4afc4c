#pragma once

#include <QDialog>

// The about box: picture, product name and version; closed by its close box.
class Tguanyu : public QDialog
{
    Q_OBJECT
public:
    explicit Tguanyu(QWidget *parent = nullptr);
};
