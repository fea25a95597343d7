#pragma once
// The please-wait window shown while the connection is closed and reopened.
#include <QWidget>

class QLabel;

class TIslemF : public QWidget {
    Q_OBJECT
public:
    explicit TIslemF(QWidget* parent = nullptr);

    QLabel* Label1; // the title strip: the main window's caption, refreshed on every show
    QLabel* Label2; // "Lütfen Bekleyiniz..."

    // Refreshes the caption and centres the window on the desktop before it appears.
    void setVisible(bool visible) override;
};

// Created by the main window at its first activation; hidden by the error handler.
extern TIslemF* IslemF;
