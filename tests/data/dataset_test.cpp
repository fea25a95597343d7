#include "data/DataBinder.h"
#include "data/Dataset.h"
#include "data/DatasetModel.h"
#include "data/DatasetRoutines.h"
#include "TestSupport.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A small table of persons with a key, text, a date and a picture.
class DatasetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.setDatabaseName(home.path() + "ds.fdb");
        db.setParams({"user_name=SYSDBA", "password=x", "lc_ctype=WIN1254"});
        db.create();
        fb::Transaction ddl(db);
        db.executeImmediate(ddl, "CREATE TABLE P (ID DOUBLE PRECISION NOT NULL PRIMARY KEY, "
                                 "AD VARCHAR(30) CHARACTER SET WIN1254 COLLATE PXW_TURK, DOG DATE, RESIM BLOB SUB_TYPE 0)");
        ddl.commit();
        db.executeImmediate(ddl, "INSERT INTO P (ID, AD, DOG) VALUES (1, 'Ali', '1950-03-01')");
        db.executeImmediate(ddl, "INSERT INTO P (ID, AD) VALUES (2, 'İsmail')");
        db.executeImmediate(ddl, "INSERT INTO P (ID, AD) VALUES (3, 'Irmak')");
        ddl.commit();
        db.setDefaultTransaction(&tr);
    }

    std::unique_ptr<Dataset> editable(const QString& sql = "SELECT * FROM P ORDER BY ID")
    {
        auto ds = std::make_unique<Dataset>(db, tr);
        ds->setSelectSql(sql);
        ds->setEditable("P", "ID");
        return ds;
    }

    TempHome home;
    fb::Database db;
    fb::Transaction tr{db};
};

TEST_F(DatasetTest, NavigationFollowsThePlatformRules)
{
    auto ds = editable();
    ds->open();
    EXPECT_EQ(ds->state(), Dataset::State::Browse);
    EXPECT_TRUE(ds->bof());
    EXPECT_FALSE(ds->eof());
    EXPECT_EQ(ds->value("AD").toString(), "Ali");
    EXPECT_EQ(ds->text("DOG"), "01.03.1950");
    EXPECT_EQ(ds->text("ID"), "1");

    QStringList seen;
    for (ds->first(); !ds->eof(); ds->next())
        seen << ds->value("AD").toString();
    EXPECT_EQ(seen, QStringList({"Ali", QString::fromUtf8("İsmail"), "Irmak"}));
    EXPECT_EQ(ds->recNo(), 2); // Next past the end stays on the last row

    ds->prior();
    ds->prior();
    EXPECT_EQ(ds->recNo(), 0);
    EXPECT_FALSE(ds->bof());
    ds->prior();
    EXPECT_TRUE(ds->bof());

    EXPECT_TRUE(ds->locate("AD", QString::fromUtf8("irmak"), true));
    EXPECT_EQ(ds->value("ID").toDouble(), 3.0);
    EXPECT_FALSE(ds->locate("AD", "Veli"));
    EXPECT_TRUE(ds->locate("ID", 2));
    EXPECT_EQ(ds->recordCount(), 3);

    ds->close();
    EXPECT_FALSE(ds->active());
    EXPECT_THROW(ds->first(), fb::Error);
}

TEST_F(DatasetTest, EditingRaisesEventsInPlatformOrder)
{
    auto ds = editable();
    QStringList events;
    auto rec = [&events](const char* name) { return [&events, name](Dataset&) { events << name; }; };
    ds->beforeInsert = rec("beforeInsert");
    ds->onNewRecord = rec("onNewRecord");
    ds->afterInsert = rec("afterInsert");
    ds->beforeEdit = rec("beforeEdit");
    ds->afterEdit = rec("afterEdit");
    ds->beforePost = rec("beforePost");
    ds->afterPost = rec("afterPost");
    ds->beforeCancel = rec("beforeCancel");
    ds->afterCancel = rec("afterCancel");
    ds->beforeDelete = rec("beforeDelete");
    ds->afterDelete = rec("afterDelete");
    ds->open();

    ds->append();
    ds->setValue("ID", 4.0);
    ds->setValue("AD", QString::fromUtf8("Şükrü"));
    ds->post();
    EXPECT_EQ(events, QStringList({"beforeInsert", "onNewRecord", "afterInsert", "beforePost", "afterPost"}));
    EXPECT_EQ(ds->recNo(), 3);
    EXPECT_EQ(ds->recordCount(), 4);

    events.clear();
    ds->edit();
    ds->setValue("AD", QString::fromUtf8("Şükriye"));
    ds->cancel();
    EXPECT_EQ(ds->value("AD").toString(), QString::fromUtf8("Şükrü"));
    ds->edit();
    ds->setValue("AD", QString::fromUtf8("Şükriye"));
    ds->post();
    ds->remove();
    EXPECT_EQ(events, QStringList({"beforeEdit", "afterEdit", "beforeCancel", "afterCancel", "beforeEdit", "afterEdit",
                                   "beforePost", "afterPost", "beforeDelete", "afterDelete"}));
    tr.commitRetaining();

    // What was written is what another statement reads.
    fb::Statement st(db, tr);
    st.prepare("SELECT COUNT(*) FROM P WHERE ID = 4");
    st.execute();
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.value(0).toLongLong(), 0);
}

TEST_F(DatasetTest, CancelledInsertLeavesNoRowAndFailedPostKeepsTheEdit)
{
    auto ds = editable();
    ds->open();
    ds->moveTo(1);
    ds->insert();
    EXPECT_EQ(ds->fetchedCount(), 4);
    ds->cancel();
    EXPECT_EQ(ds->recordCount(), 3);
    EXPECT_EQ(ds->value("ID").toDouble(), 2.0);

    // A duplicate key fails on the server: the row stays in insert state with its values.
    ds->insert();
    ds->setValue("ID", 1.0);
    ds->setValue("AD", "Kopya");
    EXPECT_THROW(ds->post(), fb::Error);
    EXPECT_EQ(ds->state(), Dataset::State::Insert);
    EXPECT_EQ(ds->value("AD").toString(), "Kopya");
    ds->setValue("ID", 9.0);
    ds->post();
    EXPECT_EQ(ds->state(), Dataset::State::Browse);

    // Too long for VARCHAR(30): refused, not cut.
    ds->edit();
    ds->setValue("AD", QString(31, 'x'));
    EXPECT_THROW(ds->post(), fb::Error);
    EXPECT_EQ(ds->state(), Dataset::State::Edit);
    ds->cancel();
}

TEST_F(DatasetTest, SavingARowAnotherUserDeletedIsAnErrorNotASilentLoss)
{
    auto ds = editable();
    ds->open();
    ds->edit();
    ds->setValue("AD", "Yeni");

    fb::Database other;
    other.setDatabaseName(db.databaseName());
    other.setParams(db.params());
    other.open();
    fb::Transaction otr(other);
    other.executeImmediate(otr, "DELETE FROM P WHERE ID = 1");
    otr.commit();

    try {
        ds->post();
        FAIL() << "post succeeded";
    } catch (const fb::Error& e) {
        EXPECT_TRUE(e.text().contains(QString::fromUtf8("silinmiş")));
    }
    EXPECT_EQ(ds->state(), Dataset::State::Edit);
}

TEST_F(DatasetTest, PicturesAndCalculatedFields)
{
    QByteArray picture(300000, '\0');
    for (int i = 0; i < picture.size(); ++i)
        picture[i] = char(i * 7);
    auto ds = editable();
    ds->addCalcField("BUYUK_AD");
    ds->onCalcFields = [](Dataset& d) { d.setValue("BUYUK_AD", d.value("AD").toString().toUpper()); };
    ds->open();
    EXPECT_EQ(ds->value("BUYUK_AD").toString(), "ALI");
    ds->edit();
    ds->setValue("RESIM", picture);
    ds->post();
    tr.commitRetaining();

    auto again = editable();
    again->open();
    EXPECT_EQ(again->value("RESIM").toByteArray(), picture);
    again->next();
    EXPECT_TRUE(again->isNull("RESIM"));
}

TEST_F(DatasetTest, RowsAreFetchedAsTheGridNeedsThem)
{
    fb::Transaction w(db);
    fb::Statement ins(db, w);
    ins.prepare("INSERT INTO P (ID, AD) VALUES (?, ?)");
    for (int i = 10; i < 1010; ++i) {
        ins.setParam(0, double(i));
        ins.setParam(1, QString("Kişi %1").arg(i));
        ins.execute();
    }
    w.commit();

    auto ds = editable();
    ds->setDisplayLabel("AD", QString::fromUtf8("Adı"));
    ds->open();
    ds->setDisplayLabel("AD", QString::fromUtf8("Adı"));
    DatasetModel model(ds.get());
    EXPECT_LT(model.rowCount(), 1003);
    EXPECT_TRUE(model.canFetchMore(QModelIndex()));
    EXPECT_EQ(model.headerData(model.columnOfField("AD"), Qt::Horizontal).toString(), QString::fromUtf8("Adı"));
    EXPECT_EQ(model.data(model.index(0, model.columnOfField("DOG"))).toString(), "01.03.1950");
    while (model.canFetchMore(QModelIndex()))
        model.fetchMore(QModelIndex());
    EXPECT_EQ(model.rowCount(), 1003);
    ds->last();
    EXPECT_EQ(ds->value("AD").toString(), QString::fromUtf8("Kişi 1009"));

    // Insert and cancel keep the model's rows in step.
    ds->insert();
    EXPECT_EQ(model.rowCount(), 1004);
    ds->cancel();
    EXPECT_EQ(model.rowCount(), 1003);
}

TEST_F(DatasetTest, TypingIntoABoundEditStartsEditing)
{
    auto ds = editable();
    ds->open();
    QLineEdit edit;
    DataBinder binder(ds.get());
    binder.bind(&edit, "AD");
    EXPECT_EQ(edit.text(), "Ali");
    QTest::keyClicks(&edit, "m");
    EXPECT_EQ(ds->state(), Dataset::State::Edit);
    EXPECT_EQ(ds->value("AD").toString(), "Alim");
    ds->cancel();
    EXPECT_EQ(edit.text(), "Ali");
    ds->next();
    EXPECT_EQ(edit.text(), QString::fromUtf8("İsmail"));
}

TEST_F(DatasetTest, ConfirmPendingChangesFollowsTheAnswer)
{
    FakeDialogService dialogs;
    auto ds = editable();
    ds->open();
    EXPECT_TRUE(ConfirmPendingChanges(*ds));
    EXPECT_TRUE(dialogs.messages.empty());

    ds->edit();
    ds->setValue("AD", "Veli");
    dialogs.answers = {MbCancel};
    EXPECT_FALSE(ConfirmPendingChanges(*ds));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QString::fromUtf8("Kart üzerindeki değişiklikleri kaydetmek ister misiniz?"));
    EXPECT_EQ(dialogs.messages[0].caption, "Soru");
    EXPECT_EQ(ds->state(), Dataset::State::Edit);
    EXPECT_EQ(ds->value("AD").toString(), "Veli");

    dialogs.answers = {MbNo};
    EXPECT_TRUE(ConfirmPendingChanges(*ds));
    EXPECT_EQ(ds->value("AD").toString(), "Ali");

    ds->edit();
    ds->setValue("AD", "Veli");
    dialogs.answers = {MbYes};
    EXPECT_TRUE(ConfirmPendingChanges(*ds));
    EXPECT_EQ(ds->state(), Dataset::State::Browse);
    EXPECT_EQ(ds->value("AD").toString(), "Veli");
}

TEST_F(DatasetTest, ReopenDatasetBuildsItsStatementLineByLine)
{
    EXPECT_EQ(ReopenStatement("KISI", "BLKISIKODU=12", "BLKISIKODU"),
              "SELECT * FROM KISI\r\nWHERE BLKISIKODU=12\r\nORDER BY BLKISIKODU");
    EXPECT_EQ(ReopenStatement("KISI", "", ""), "SELECT * FROM KISI\r\n");

    auto ds = editable();
    ds->open();
    EXPECT_FALSE(ReopenDataset(*ds, "P", "ID = 0"));
    EXPECT_TRUE(ds->selectSql().endsWith("ORDER BY ID"));
    EXPECT_TRUE(ReopenDataset(*ds, "P", "ID=2"));
    EXPECT_EQ(ds->value("AD").toString(), QString::fromUtf8("İsmail"));

    Dataset query(db, tr);
    EXPECT_TRUE(ReopenDataset(query, "P", ""));
    EXPECT_EQ(query.sql(), "SELECT * FROM P\r\n");
    EXPECT_THROW(ReopenDataset(query, "NO_SUCH_TABLE", ""), fb::Error);
    EXPECT_FALSE(query.active());
}

} // namespace
