#pragma once
// The person search dialog: plain lookups, and the spouse, father and mother lookups of the
// person card that leave out everyone who cannot take that role.
#include "data/Dataset.h"

#include <QDialog>

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
};
