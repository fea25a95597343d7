#include "data/SettingsRecord.h"

#include "data/DataModule.h"
#include "data/K_OtoNoU.h"
#include "shell/GeneralRoutines.h"
#include "shell/Messages.h"
#include "shell/SilentAbort.h"

#include <QRegularExpression>

#include <limits>

namespace {

const QString kPersonGenerator = QStringLiteral("KISI_ID");

// Generator names go into the statement text, so only plain identifiers are accepted.
bool isGeneratorName(const QString& name)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z][A-Za-z0-9_$]{0,62}$"));
    return re.match(name).hasMatch();
}

} // namespace

void AyarVarsayilan(TD_Genel& m)
{
    Dataset& ds = m.Ayar_Ds;
    if (!ds.active())
        ds.open();
    if (ds.recordCount() != 0)
        return;
    ds.append();
    ds.setValue(QStringLiteral("BLAYARKODU"), 1.0);
    ds.setValue(QStringLiteral("CROTONO"), QStringLiteral("1"));
    ds.setValue(QStringLiteral("CRNO"), 1.0);
    ds.setValue(QStringLiteral("CRBASSAYI"), QStringLiteral("5 Basamağa Tamamla"));
    ds.setValue(QStringLiteral("CRBASEK"), QStringLiteral("KS"));
    ds.setValue(QStringLiteral("G1"), QStringLiteral("False"));
    ds.setValue(QStringLiteral("G2"), QStringLiteral("True"));
    for (int i = 3; i <= 8; ++i)
        ds.setValue(QStringLiteral("G%1").arg(i), QStringLiteral("False"));
    ds.setValue(QStringLiteral("RESIM_ORTALA"), QStringLiteral("False"));
    ds.setValue(QStringLiteral("LAKAP_GOR"), 1);
    ds.setValue(QStringLiteral("SEMA_ES_GENISLIK"), 120);
    ds.post();
}

void CheckSettingsRow(const Dataset& ayar)
{
    int width = 0;
    try {
        width = VariantToInt(ayar.value(QStringLiteral("SEMA_ES_GENISLIK")), 0);
    } catch (const ConversionError&) {
        width = 0; // not a number: out of range like a missing value
    }
    if (width < 30 || width > 250) {
        ShowInfo(QStringLiteral("Eş e göre Alt Kuşak Ağaç şema genişliği \"30-250\" aralığında olmalı"));
        Abort();
    }
}

void installSettingsRecordHandlers(TD_Genel& m)
{
    m.Ayar_Ds.beforePost = [](Dataset& ds) { CheckSettingsRow(ds); };
}

int NextGeneratorValue(TD_Genel& m, const QString& generator, int step)
{
    if (!isGeneratorName(generator))
        return -1;
    fb::Transaction& tr = m.NewKodu_Tr;
    bool started = false;
    try {
        if (!tr.active()) {
            tr.start();
            started = true;
        }
        qint64 value = 0;
        {
            fb::Statement st(m.DB_KUSAK, tr);
            st.prepare(QStringLiteral("SELECT GEN_ID(%1, %2) FROM RDB$DATABASE").arg(generator).arg(step));
            st.execute();
            if (!st.fetch() || st.isNull(0))
                throw fb::Error(QStringLiteral("GEN_ID sonuç vermedi."));
            bool ok = false;
            value = st.value(0).toLongLong(&ok);
            if (!ok)
                throw fb::Error(QStringLiteral("GEN_ID sonucu okunamadı."));
            st.closeCursor();
        }
        if (started)
            tr.commit();
        if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
            return -1;
        return int(value);
    } catch (...) {
        // The transaction this call started must not stay open behind a failure.
        if (started && tr.active()) {
            try {
                tr.rollback();
            } catch (...) {
            }
        }
        return -1;
    }
}

int NextGeneratorValue(const QString& generator, int step)
{
    TD_Genel* m = D_Genel();
    return m ? NextGeneratorValue(*m, generator, step) : -1;
}

QString ZeroFill(const QString& number, const QString& choice)
{
    const QChar c = choice.isEmpty() ? QChar() : choice.at(0);
    const int d = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ? c.unicode() - '0' : 0;
    if (d == 0)
        return number;
    return (QStringLiteral("0000000000") + number).right(d);
}

QString NextPersonCode(TD_Genel& m)
{
    // One advancing step: the drawn value minus one is this code's number, the drawn value the
    // next one's. A separate read before the step would let two workstations share a number.
    const int n = NextGeneratorValue(m, kPersonGenerator, 1);
    if (n < 1) {
        ShowInfo(QStringLiteral("Kişi kodu otomatik verilemedi: kişi kodu sayacı (KISI_ID) okunamadı.\r\n"
                                "Kayıt yapılmadı. Kişi kodunu elle girebilir ya da bağlantıyı kontrol edebilirsiniz."));
        Abort();
    }
    Dataset& ds = m.Ayar_Ds;
    const QString code = ds.text(QStringLiteral("CRBASEK"))
                         + ZeroFill(QString::number(n - 1), ds.text(QStringLiteral("CRBASSAYI")))
                         + ds.text(QStringLiteral("CRSONEK"));
    const bool wasEditing = ds.isEditing();
    ds.edit();
    ds.setValue(QStringLiteral("CRNO"), double(n));
    try {
        ds.post();
    } catch (...) {
        // The refused counter update must not leave the shared row half-edited.
        if (!wasEditing)
            ds.cancel();
        throw;
    }
    return code;
}

QString NextPersonCode()
{
    TD_Genel* m = D_Genel();
    if (!m)
        throw fb::Error(QStringLiteral("Veri modülü oluşturulmadı."));
    return NextPersonCode(*m);
}

bool SetCounter(TD_Genel& m, const QString& text)
{
    // Anything but a run of digits (empty text, a sign) reads as not greater than 0.
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    QString t = text.trimmed();
    if (!digits.match(t).hasMatch())
        t.clear();
    while (t.startsWith(QLatin1Char('0')))
        t.remove(0, 1);
    if (t.isEmpty()) {
        ShowInfo(QStringLiteral("Minimum sayı olarak 1 değerini girebilirsiniz..."));
        return false;
    }
    const qint64 v = t.size() > 18 ? kMaxPersonCounter + 1 : t.toLongLong();
    if (v > kMaxPersonCounter) {
        ShowInfo(QStringLiteral("Maksimum sayı olarak %1 değerini girebilirsiniz...").arg(kMaxPersonCounter));
        return false;
    }
    Dataset& ds = m.Ayar_Ds;
    ds.edit();
    ds.setValue(QStringLiteral("CRNO"), double(v));
    ds.post();
    m.Kullanici_SQL.prepare(QStringLiteral("SET GENERATOR ") + kPersonGenerator + QStringLiteral(" TO ")
                            + QString::number(v));
    m.Kullanici_SQL.execute();
    m.commitRetaining();
    return true;
}

void RunSetCounter(TD_Genel& m, QWidget* parent, const QString& fieldCaption)
{
    TK_OtoNoF dialog(parent);
    dialog.setFieldCaption(fieldCaption);
    dialog.setValueText(m.Ayar_Ds.text(QStringLiteral("CRNO")));
    if (dialog.exec() == QDialog::Accepted)
        SetCounter(m, dialog.valueText());
}
