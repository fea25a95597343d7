// The main menu's two person entries open their screens on the connected database.
#include "PersonDb.h"
#include "TestSupport.h"
#include "data/Dataset.h"
#include "persons/F_KisiU.h"
#include "persons/K_KisiU.h"
#include "persons/PersonFlags.h"
#include "shell/AnaFormU.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs act on the first visible top-level window of type T once it is shown modally.
template <class T>
void whenShown(std::function<void(T*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* f = qobject_cast<T*>(w); f && f->isVisible()) {
                timer->stop();
                timer->deleteLater();
                act(f);
                return;
            }
        }
    });
    timer->start();
}

TEST(PersonMenu, KisiKartKaydiOpensAnEmptyCardForANewPersonAndKisiKartiAramaTheList)
{
    PersonDb db;
    FakeDialogService dialogs;
    TAnaF w;

    bool cardSeen = false;
    whenShown<TK_KisiF>([&](TK_KisiF* card) {
        cardSeen = true;
        EXPECT_EQ(card->KISI_DS.state(), Dataset::State::Insert);
        EXPECT_EQ(card->KISI_DS.text("KAYDEDEN"), "Yetkili");
        EXPECT_FALSE(NewCardRequested); // the card took the request
        dialogs.answers.push_back(MbNo); // leave without saving the empty person
        card->reject();
    });
    w.menuItem("KisiKayit1")->trigger();
    EXPECT_TRUE(cardSeen);
    EXPECT_EQ(db.committedValue("SELECT COUNT(*) FROM KISI").toInt(), 0);

    bool listSeen = false;
    whenShown<TF_KisiF>([&](TF_KisiF* list) {
        listSeen = true;
        EXPECT_EQ(list->objectName(), "F_KisiF");
        list->reject();
    });
    w.menuItem("KisiKartArama1")->trigger();
    EXPECT_TRUE(listSeen);
}

} // namespace
