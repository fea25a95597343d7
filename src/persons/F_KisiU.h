#pragma once
// The person list "Kişi Kartı Listesi": the filter panel and the list over all persons, with the
// person card, printing and the kinship screens for the current person.
#include "persons/ListScreen.h"

class TF_KisiF : public TListScreen {
    Q_OBJECT
public:
    explicit TF_KisiF(QWidget* parent = nullptr);

    QAction* ToolKartAc;   // "Kişi Kartını Aç"
    QAction* ToolYazdir;   // "Yazdır"
    QAction* ToolOzellestir; // "Özelleştir"

protected:
    void showListReport() override;
};
