#pragma once
// The person search dialog: plain lookups, and the spouse, father and mother lookups of the
// person card that leave out everyone who cannot take that role.
#include "data/Dataset.h"
#include "persons/KisiAraSql.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;
class TZYFormHeader;
class TZYRXDBGrid;
class TZyWinButton;

class TA_KisiAraF : public QDialog {
    Q_OBJECT
public:
    explicit TA_KisiAraF(QWidget* parent = nullptr);
    ~TA_KisiAraF() override;

    // At most one is set by the caller before showing; all false at creation.
    bool EsModu = false;   // spouse for the subject
    bool BabaModu = false; // father for the subject
    bool AnneModu = false; // mother for the subject

    // On the data module's connection and transaction.
    Dataset Q_KisiARA; // the result list; its current row is the choice
    Dataset Kisi_Q;    // the subject, opened by the caller (ReopenDataset on "BLKISIKODU=" + key)
    Dataset Ek_Q;      // key lists of the mode lines

    // Builds and runs the result statement (F2, "Filtrele (F2)").
    void Search();
    // The statement Search runs for the present modes, subject and criteria, line by line.
    QStringList SearchLines();
    KisiAraCriteria criteria() const;

    TZYFormHeader* ZYFormHeader1 = nullptr;
    QWidget* Panel1 = nullptr; // the 148-pixel criteria panel
    QLabel* Label1 = nullptr;  // "Arama"
    QLineEdit* Edit1 = nullptr;
    QLabel* Label2 = nullptr;  // "Gurubu"
    QLineEdit* Edit2 = nullptr;
    TZyWinButton* ZyWinButton1 = nullptr; // "Filtrele (F2)"
    QLabel* Label3 = nullptr;  // "Arama Kriteri"
    QRadioButton* RB1 = nullptr; // "Kişi Kodu"
    QRadioButton* RB2 = nullptr; // "Kişi Adı"
    QRadioButton* RB4 = nullptr; // "Aile Adı"
    QRadioButton* RB5 = nullptr; // "Hepsi"
    TZYRXDBGrid* ZYRXDBGrid1 = nullptr;
    TZyWinButton* BTNOK = nullptr;  // "Tamam"
    TZyWinButton* BTNVAZ = nullptr; // "Vazgeç"

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    // Every way of closing ends here: only mrOk ("Tamam", Enter, double-click) confirms.
    void done(int result) override;

private:
    bool m_shownOnce = false;
    bool m_closing = false;
};
