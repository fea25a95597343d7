#pragma once
// The person card: one row of KISI with its family links and marriages.
#include "data/Dataset.h"

#include <QDialog>

class TK_KisiF : public QDialog {
    Q_OBJECT
public:
    explicit TK_KisiF(QWidget* parent = nullptr);
    ~TK_KisiF() override;

    // The card's person. A caller opening the card on one person reopens it with
    // ReopenDataset(KISI_DS, "KISI", "BLKISIKODU=" + key) before exec().
    Dataset KISI_DS;
    // Set when the card's person went into edit mode while shown.
    bool Edited = false;
};
