#pragma once
// The counter dialog of the program settings: a number typed with digits only.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TK_OtoNoF : public QDialog {
    Q_OBJECT
public:
    explicit TK_OtoNoF(QWidget* parent = nullptr);

    void setFieldCaption(const QString& caption);
    void setValueText(const QString& text);
    QString valueText() const;

    QLabel* Header = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* BtnUygula = nullptr;
    QPushButton* BtnIptal = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
