#pragma once
// The person card on a fresh database with the settings row in place, scripted dialogs and the
// helpers the card tests share.
#include "PersonDb.h"
#include "TestSupport.h"
#include "persons/K_KisiU.h"

#include <QVariant>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class QWidget;
class TA_KisiAraF;

class CardTest : public ::testing::Test {
protected:
    void SetUp() override;

    // A card shown on one person, opened as the list screens open it.
    std::unique_ptr<TK_KisiF> card(qint64 key);
    // A card shown for a new person, as the main menu opens it.
    std::unique_ptr<TK_KisiF> newCard();

    // A column of a KISI row as another workstation sees it (committed data only).
    QVariant committed(qint64 key, const QString& column);
    // The first column of a select, committed data only.
    QVariant committedValue(const QString& sql) { return db.committedValue(sql); }
    void setColumn(qint64 key, const QString& column, const QString& literal);

    // Typing at the end of the field as the user does (the field's signals fire).
    static void type(QWidget* field, const QString& text);
    static void chooseGender(TK_KisiF& card, const QString& caption);
    // Makes the card the active window, so its shortcuts and focus work as on screen.
    static void activate(QWidget* w);
    // The widget Tab moves to from w.
    static QWidget* nextTabStop(QWidget* w);
    static QWidget* field(QWidget* parent, const QString& name);
    static QString fieldText(QWidget* parent, const QString& name);

    // Runs f on the modal dialog of type T the next exec() shows.
    static void onModalCard(std::function<void(TK_KisiF&)> f);
    static void onModalSearch(std::function<void(TA_KisiAraF&)> f);
    // Answers the next person search by choosing the person with this key; mode is checked:
    // 0 plain, 'f' father, 'm' mother, 's' spouse.
    static void pickInSearch(qint64 key, char mode, qint64 subject);

    PersonDb db;
    FakeDialogService fake;
};
