#pragma once
// The installation help: the text of ProgramDir + "KURULUM.TXT".
#include <QDialog>

class QLabel;
class QPlainTextEdit;

class TK_YardimF : public QDialog {
    Q_OBJECT
public:
    explicit TK_YardimF(QWidget* parent = nullptr);

    QLabel* LabelBaslik = nullptr;
    QPlainTextEdit* Memo1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

// The help text, or "Yardım dosyası bulunamadı" when the file cannot be read.
QString InstallationHelpText();

extern TK_YardimF* K_YardimF;
