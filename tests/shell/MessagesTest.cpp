// The information box and the standard questions.
#include "TestSupport.h"

#include "shell/Messages.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

TEST(Messages, ShowInfoCaptionFollowsTheApplicationTitle)
{
    FakeDialogService dialogs;
    const QString before = QGuiApplication::applicationDisplayName();
    ShowInfo(QStringLiteral("Listede Kayıt Yok !"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("MERVATON Tavrion"));
    ShowInfo(QStringLiteral("İkinci"));
    QGuiApplication::setApplicationDisplayName(before);

    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].caption, before + QStringLiteral(" - Bilgi"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Listede Kayıt Yok !"));
    EXPECT_EQ(dialogs.messages[1].caption, QStringLiteral("MERVATON Tavrion - Bilgi"));
    for (const auto& m : dialogs.messages) {
        EXPECT_EQ(m.icon, MsgIcon::Information);
        EXPECT_EQ(m.buttons, int(MbOk));
    }
}

TEST(Messages, ConfirmBoxKinds)
{
    FakeDialogService dialogs;
    EXPECT_EQ(ConfirmBox(1), MbNo); // unanswered: the preselected button
    EXPECT_EQ(ConfirmBox(2), MbYes);
    dialogs.answers = {MbCancel};
    EXPECT_EQ(ConfirmBox(2), MbCancel);

    ASSERT_EQ(dialogs.messages.size(), 3u);
    const MessageRequest& del = dialogs.messages[0];
    EXPECT_EQ(del.text, QStringLiteral("Bu kaydı silmek istediğinizden emin misiniz?"));
    EXPECT_EQ(del.buttons, MbYes | MbNo);
    EXPECT_EQ(del.defaultButton, MbNo);
    const MessageRequest& save = dialogs.messages[1];
    EXPECT_EQ(save.text, QStringLiteral("Kart üzerindeki değişiklikleri kaydetmek ister misiniz?"));
    EXPECT_EQ(save.buttons, MbYes | MbNo | MbCancel);
    EXPECT_EQ(save.defaultButton, MbYes);
    for (const auto& m : dialogs.messages) {
        EXPECT_EQ(m.caption, QStringLiteral("Soru"));
        EXPECT_EQ(m.icon, MsgIcon::Question);
    }
    EXPECT_THROW(ConfirmBox(3), std::invalid_argument);
}

TEST(Messages, QuestionBoxPreselection)
{
    FakeDialogService dialogs;
    const QString q = QStringLiteral("Araç çubuğu sıfırlanacak. Devam etmek istiyor musunuz");
    EXPECT_EQ(QuestionBox(q), MbYes);
    EXPECT_EQ(QuestionBox(q, true), MbNo);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text, q);
    EXPECT_EQ(dialogs.messages[1].caption, QStringLiteral("Soru"));
    EXPECT_EQ(dialogs.messages[1].buttons, MbYes | MbNo);
    EXPECT_EQ(dialogs.messages[1].defaultButton, MbNo);
}

TEST(Messages, EnterOnRealQuestionWithNoPreselectedAnswersNo)
{
    // The real box, answered by pressing Enter; a guard closes it should Enter not do so.
    bool pressed = false;
    QTimer::singleShot(50, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            pressed = true;
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->reject();
    });
    guard.start(3000);
    const MsgButton answer = QuestionBox(QStringLiteral("Devam?"), true);
    EXPECT_TRUE(pressed);
    EXPECT_EQ(answer, MbNo);
}
