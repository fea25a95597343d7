#pragma once
// A push button with a hand cursor whose caption turns bold under the mouse.
#include <QPushButton>

class TZyBitBtn : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(int ModalResult READ ModalResult WRITE setModalResult)
    Q_PROPERTY(QString About READ About WRITE setAbout)
public:
    explicit TZyBitBtn(QWidget* parent = nullptr);
    explicit TZyBitBtn(const QString& caption, QWidget* parent = nullptr);

    // Copied to the dialog on every click, as with TZyWinButton.
    int ModalResult() const { return m_modalResult; }
    void setModalResult(int result) { m_modalResult = result; }
    QString About() const { return QStringLiteral("s1.01"); }
    void setAbout(const QString&) {}

signals:
    void OnClick();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setBold(bool bold);
    int m_modalResult = 0;
};
