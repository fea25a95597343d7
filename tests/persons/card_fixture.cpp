#include "card_fixture.h"

#include "controls/ModalResult.h"
#include "data/DataModule.h"
#include "data/DatasetRoutines.h"
#include "data/SettingsRecord.h"
#include "persons/A_KisiAraU.h"
#include "persons/PersonFlags.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

void CardTest::SetUp()
{
    AyarVarsayilan(db.module());
    NewCardRequested = false;
    SearchConfirmed = false;
}

std::unique_ptr<TK_KisiF> CardTest::card(qint64 key)
{
    auto c = std::make_unique<TK_KisiF>();
    EXPECT_TRUE(ReopenDataset(c->KISI_DS, QStringLiteral("KISI"), QStringLiteral("BLKISIKODU=%1").arg(key)));
    c->show();
    return c;
}

std::unique_ptr<TK_KisiF> CardTest::newCard()
{
    NewCardRequested = true;
    auto c = std::make_unique<TK_KisiF>();
    c->show();
    return c;
}

QVariant CardTest::committed(qint64 key, const QString& column)
{
    return db.committedValue(QStringLiteral("SELECT %1 FROM KISI WHERE BLKISIKODU = %2").arg(column).arg(key));
}

void CardTest::setColumn(qint64 key, const QString& column, const QString& literal)
{
    db.exec(QStringLiteral("UPDATE KISI SET %1 = %2 WHERE BLKISIKODU = %3").arg(column, literal).arg(key));
}

void CardTest::type(QWidget* f, const QString& text)
{
    ASSERT_NE(f, nullptr);
    // Appended: a field the card focused may have its text selected.
    if (auto* e = qobject_cast<QLineEdit*>(f))
        e->end(false);
    for (const QChar ch : text) {
        if (ch.unicode() < 128) {
            QTest::keyClick(f, ch.toLatin1());
        } else {
            // Qt's key simulation knows ASCII only; Turkish letters arrive as text.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(f, &press);
            QApplication::sendEvent(f, &release);
        }
    }
}

void CardTest::chooseGender(TK_KisiF& card, const QString& caption)
{
    const int index = card.CINSIYET->findText(caption);
    ASSERT_GE(index, 0);
    // Keys move a closed drop-down list and report the choice as the mouse does.
    while (card.CINSIYET->currentIndex() < index)
        QTest::keyClick(card.CINSIYET, Qt::Key_Down);
    while (card.CINSIYET->currentIndex() > index)
        QTest::keyClick(card.CINSIYET, Qt::Key_Up);
}

void CardTest::activate(QWidget* w)
{
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}

QWidget* CardTest::nextTabStop(QWidget* w)
{
    for (QWidget* n = w->nextInFocusChain(); n && n != w; n = n->nextInFocusChain())
        if ((n->focusPolicy() & Qt::TabFocus) && n->isVisibleTo(w->window()) && n->isEnabled())
            return n;
    return nullptr;
}

QWidget* CardTest::field(QWidget* parent, const QString& name) { return parent->findChild<QWidget*>(name); }

QString CardTest::fieldText(QWidget* parent, const QString& name)
{
    QWidget* w = field(parent, name);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* m = qobject_cast<QPlainTextEdit*>(w))
        return m->toPlainText();
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentText();
    return QStringLiteral("<no field %1>").arg(name);
}

void CardTest::onModalCard(std::function<void(TK_KisiF&)> f)
{
    QTimer::singleShot(0, [f] {
        auto* d = qobject_cast<TK_KisiF*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        f(*d);
    });
}

void CardTest::onModalSearch(std::function<void(TA_KisiAraF&)> f)
{
    QTimer::singleShot(0, [f] {
        auto* d = qobject_cast<TA_KisiAraF*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        f(*d);
    });
}

void CardTest::pickInSearch(qint64 key, char mode, qint64 subject)
{
    onModalSearch([key, mode, subject](TA_KisiAraF& s) {
        EXPECT_EQ(s.BabaModu, mode == 'f');
        EXPECT_EQ(s.AnneModu, mode == 'm');
        EXPECT_EQ(s.EsModu, mode == 's');
        if (mode != 0) {
            // The search knows for whom a relative is sought.
            ASSERT_TRUE(s.Kisi_Q.active());
            EXPECT_EQ(s.Kisi_Q.value(QStringLiteral("BLKISIKODU")).toLongLong(), subject);
        }
        ReopenDataset(s.Q_KisiARA, QStringLiteral("KISI"), QStringLiteral("BLKISIKODU=%1").arg(key));
        s.done(mrOk);
    });
}
