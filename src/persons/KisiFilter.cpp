#include "persons/KisiFilter.h"

#include "data/Dataset.h"
#include "data/SqlText.h"
#include "fb/Firebird.h"
#include "fb/Win1254.h"
#include "shell/AppPaths.h"

#include <QFile>
#include <QtEndian>

namespace {

const QString kBlank = QStringLiteral(" ");

// "AND UPPER(column) <op> UPPER('value' COLLATE PXW_TURK)"
QString upperLine(const QString& column, const QString& op, const QString& value)
{
    return QStringLiteral("AND UPPER(") + column + QStringLiteral(") ") + op + QStringLiteral(" UPPER(") + QuotedStr(value)
           + QStringLiteral(" COLLATE PXW_TURK)");
}

QString containsLine(const QString& column, const QString& text)
{
    return upperLine(column, QStringLiteral("LIKE"), QLatin1Char('%') + text + QLatin1Char('%'));
}

const char* const kSortColumns[] = {"K.BLKISIKODU", "K.KISI_KOD", "K.AD", "K.SOYAD", "K.ANNE_KOD", "K.BABA_KOD"};
constexpr int kSortCount = int(std::size(kSortColumns));

} // namespace

QStringList BuildListStatement(const KisiFilterCriteria& c)
{
    QStringList sql;
    sql << QStringLiteral("SELECT K.*, KA.AD || ") + QuotedStr(kBlank) + QStringLiteral(" || KA.SOYAD AS ANNE_AD, KB.AD || ")
               + QuotedStr(kBlank) + QStringLiteral(" || KB.SOYAD AS BABA_AD FROM KISI K");
    sql << QStringLiteral("LEFT JOIN KISI KA ON (KA.BLKISIKODU=K.ANNE_KOD)");
    sql << QStringLiteral("LEFT JOIN KISI KB ON (KB.BLKISIKODU=K.BABA_KOD)");
    sql << QStringLiteral("Where K.BLKISIKODU>0");

    if (!c.blKisiKoduFrom.isEmpty())
        sql << QStringLiteral("AND K.BLKISIKODU >=") + QuotedStr(c.blKisiKoduFrom);
    if (!c.blKisiKoduTo.isEmpty())
        sql << QStringLiteral("AND K.BLKISIKODU <=") + QuotedStr(c.blKisiKoduTo);
    if (!c.kisiKod.isEmpty())
        sql << upperLine(QStringLiteral("K.KISI_KOD"), QStringLiteral("="), c.kisiKod);
    const std::pair<const char*, const QString*> contains[] = {
        {"K.AILE_AD", &c.aileAd}, {"K.LAKAP", &c.lakap}, {"K.OZEL_KOD1", &c.ozelKod1}, {"K.OZEL_KOD2", &c.ozelKod2},
        {"K.AD", &c.ad},          {"K.SOYAD", &c.soyad}, {"K.DOG_YER", &c.dogYer},
    };
    for (const auto& [column, text] : contains)
        if (!text->isEmpty())
            sql << containsLine(QLatin1String(column), *text);
    if (c.gender == 0)
        sql << upperLine(QStringLiteral("K.CINSIYET"), QStringLiteral("="), QStringLiteral("0"));
    else if (c.gender == 1)
        sql << upperLine(QStringLiteral("K.CINSIYET"), QStringLiteral("="), QStringLiteral("1"));
    if (c.kayTarFrom != kEmptyDateText)
        sql << QStringLiteral("AND K.KAY_TAR >=") + QuotedStr(c.kayTarFrom);
    if (c.kayTarTo != kEmptyDateText)
        sql << QStringLiteral("AND K.KAY_TAR <=") + QuotedStr(c.kayTarTo);
    if (c.dogTarFrom != kEmptyDateText)
        sql << QStringLiteral("AND K.DOG_TAR >=") + QuotedStr(c.dogTarFrom);
    if (c.dogTarTo != kEmptyDateText)
        sql << QStringLiteral("AND K.DOG_TAR <=") + QuotedStr(c.dogTarTo);
    if (c.kaydeden != kBlank)
        sql << upperLine(QStringLiteral("K.KAYDEDEN"), QStringLiteral("="), c.kaydeden);
    if (c.duzenleyen != kBlank)
        sql << upperLine(QStringLiteral("K.DUZENLEYEN"), QStringLiteral("="), c.duzenleyen);

    if (c.sortIndex >= 0 && c.sortIndex < kSortCount)
        sql << QStringLiteral("ORDER BY ") + QLatin1String(kSortColumns[c.sortIndex])
                   + (c.sortDescending ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
    return sql;
}

QString JoinStatement(const QStringList& lines) { return lines.join(QLatin1Char('\n')); }

QStringList CountStatement(const QStringList& listLines, const QString& table, const QString& key)
{
    QStringList inner = listLines;
    // The order means nothing to a count, and a sorted sub-select whose criterion the server
    // cannot convert leaves the Firebird 3 engine unable to detach the connection later.
    if (!inner.isEmpty() && inner.last().startsWith(QLatin1String("ORDER BY ")))
        inner.removeLast();
    const QString first = QStringLiteral("SELECT ") + key + QStringLiteral(" FROM ") + table;
    if (inner.isEmpty())
        inner << first;
    else
        inner[0] = first;
    QString text;
    for (const QString& line : inner)
        text += line + QLatin1Char('\n');
    return {QStringLiteral("SELECT COUNT(") + key + QStringLiteral(") FROM ") + table,
            QStringLiteral("WHERE ") + key + QStringLiteral(" IN (") + text + QStringLiteral(")")};
}

QString CountListRows(fb::Database& db, fb::Transaction& tr, const QStringList& listLines, const QString& table,
                      const QString& key)
{
    fb::Statement st(db, tr);
    tr.ensureStarted();
    st.prepare(JoinStatement(CountStatement(listLines, table, key)));
    st.execute();
    qint64 n = 0;
    if (st.fetch())
        n = st.value(0).toLongLong();
    st.closeCursor();
    return QString::number(n);
}

QStringList SortItems()
{
    return {QStringLiteral("Bil. Kişi Kodu"), QStringLiteral("Kişi Kodu"), QStringLiteral("Adı"),
            QStringLiteral("Soyadı"),         QStringLiteral("Anne Kodu"), QStringLiteral("Baba Kodu")};
}

QByteArray SortRecord(const QString& formName, int itemIndex, bool descending)
{
    QByteArray rec(kSortRecordSize, '\0');
    const QByteArray name = fb::toWin1254(formName).left(31);
    rec[0] = char(name.size());
    for (int i = 0; i < name.size(); ++i)
        rec[1 + i] = name[i];
    qToLittleEndian<qint32>(itemIndex, rec.data() + 32);
    rec[36] = descending ? 1 : 0;
    return rec;
}

SortChoice FindSortChoice(const QByteArray& data, const QString& formName)
{
    SortChoice choice;
    const QString damaged = QStringLiteral("Sıralama dosyası (Siralama.Ini) bozuk; kayıtlı sıralama kullanılamadı.");
    for (int pos = 0; pos < data.size(); pos += kSortRecordSize) {
        if (data.size() - pos < kSortRecordSize) {
            choice.error = damaged;
            break;
        }
        const char* rec = data.constData() + pos;
        const int length = quint8(rec[0]);
        const qint32 index = qFromLittleEndian<qint32>(rec + 32);
        const quint8 flag = quint8(rec[36]);
        if (length > 31 || index < -1 || index >= kSortCount || flag > 1) {
            choice.error = damaged;
            break;
        }
        if (fb::fromWin1254(QByteArray(rec + 1, length)) == formName) {
            choice.found = true;
            choice.itemIndex = index;
            choice.descending = flag == 1;
            break;
        }
    }
    return choice;
}

QString SortFilePath() { return IniDir() + QStringLiteral("Siralama.Ini"); }

SortChoice LoadSortChoice(const QString& formName)
{
    QFile file(SortFilePath());
    if (!file.exists()) {
        file.open(QIODevice::WriteOnly); // created empty: nothing to read yet
        return {};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        SortChoice c;
        c.error = QStringLiteral("Sıralama dosyası (Siralama.Ini) okunamadı.");
        return c;
    }
    return FindSortChoice(file.readAll(), formName);
}

QString GenderText(const QVariant& cinsiyet)
{
    return cinsiyet.isValid() && !cinsiyet.isNull() && cinsiyet.toString() == QLatin1String("0") ? QStringLiteral("Bay")
                                                                                                  : QStringLiteral("Bayan");
}

void AddGenderField(Dataset& dataset) { dataset.addCalcField(QStringLiteral("CNS"), fb::SqlType::Text, 5); }

void CalcGenderField(Dataset& dataset) { dataset.setValue(QStringLiteral("CNS"), GenderText(dataset.value(QStringLiteral("CINSIYET")))); }
