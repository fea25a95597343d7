#include "persons/KisiAraSql.h"

#include "data/Dataset.h"
#include "data/SqlText.h"

namespace {

QString Q(const QString& x) { return QuotedStr(x); }

// Adds the lines of the modes and criteria; the key lists come from the callback.
class Builder {
public:
    Builder(QStringList& lines, const KisiAraKeys& keys) : m_lines(lines), m_keys(keys) {}

    void add(const QString& line) { m_lines << line; }
    // A list line: only when the list is not empty.
    void list(const QString& head, const QString& keys)
    {
        if (!keys.isEmpty())
            m_lines << head + keys + QLatin1Char(')');
    }
    QString keys(const QString& statement) const { return m_keys ? m_keys(statement) : QString(); }

private:
    QStringList& m_lines;
    const KisiAraKeys& m_keys;
};

const QString kNotIn = QStringLiteral("AND K.BLKISIKODU NOT IN(");
const QString kNotInSp = QStringLiteral("AND K.BLKISIKODU NOT IN (");
const QString kFatherNotIn = QStringLiteral("AND COALESCE(K.BABA_KOD,0) NOT IN (");
const QString kMotherNotIn = QStringLiteral("AND COALESCE(K.ANNE_KOD,0) NOT IN (");

QString childrenByFather(const QString& key)
{
    return QStringLiteral("SELECT COALESCE(BLKISIKODU,0) FROM KISI WHERE COALESCE(BABA_KOD,0) =") + Q(key);
}
QString childrenByMother(const QString& key)
{
    return QStringLiteral("SELECT COALESCE(BLKISIKODU,0) FROM KISI WHERE COALESCE(ANNE_KOD,0) =") + Q(key);
}
QString fatherOf(const QString& key)
{
    return QStringLiteral("SELECT COALESCE(BABA_KOD,0) FROM KISI WHERE BLKISIKODU =") + Q(key);
}
QString motherOf(const QString& key)
{
    return QStringLiteral("SELECT COALESCE(ANNE_KOD,0) FROM KISI WHERE BLKISIKODU =") + Q(key);
}

void spouseLines(Builder& b, const KisiAraSubject& s)
{
    const QString& P = s.P;
    b.add(QStringLiteral("AND K.BLKISIKODU <>") + Q(P));
    b.add(QStringLiteral("AND COALESCE(K.ES_KOD,0) <>") + Q(P));
    if (!s.E.isEmpty())
        b.add(QStringLiteral("AND COALESCE(K.BLKISIKODU,0) <>") + Q(s.E));
    b.list(kNotIn, b.keys(QStringLiteral("SELECT COALESCE(ANNE_KOD,0) FROM KISI WHERE COALESCE(BABA_KOD,0) =") + Q(P)));
    b.list(kNotIn, b.keys(QStringLiteral("SELECT COALESCE(BABA_KOD,0) FROM KISI WHERE COALESCE(ANNE_KOD,0) =") + Q(P)));
    b.list(kNotIn, b.keys(childrenByFather(P)));
    b.list(kNotIn, b.keys(childrenByMother(P)));
    b.add(QStringLiteral("AND COALESCE(K.BABA_KOD,0) <>") + Q(P));
    if (s.gender == QLatin1String("1"))
        b.add(QStringLiteral("AND K.CINSIYET =") + Q(QStringLiteral("0")));
    if (s.gender == QLatin1String("0"))
        b.add(QStringLiteral("AND K.CINSIYET =") + Q(QStringLiteral("1")));
    if (!s.F.isEmpty()) {
        b.add(QStringLiteral("AND K.BLKISIKODU <>") + Q(s.F));
        b.add(QStringLiteral("AND COALESCE(K.BABA_KOD,0) <>") + Q(s.F));
        const QString siblings = b.keys(childrenByFather(s.F));
        b.list(kFatherNotIn, siblings);
        b.list(kMotherNotIn, siblings);
        b.list(kNotIn, b.keys(fatherOf(s.F)));
        b.list(kNotIn, b.keys(motherOf(s.F)));
    }
    if (!s.M.isEmpty()) {
        b.add(QStringLiteral("AND K.BLKISIKODU <>") + Q(s.M));
        b.add(QStringLiteral("AND COALESCE(K.ANNE_KOD,0)<>") + Q(s.M));
        const QString siblings = b.keys(childrenByMother(s.M));
        b.list(kFatherNotIn, siblings);
        b.list(kMotherNotIn, siblings);
        b.list(kNotInSp, b.keys(fatherOf(s.M)));
        b.list(kNotInSp, b.keys(motherOf(s.M)));
    }
}

// Neither the subject's children through a woman subject nor the subject's recorded spouse
// can be a parent of the subject.
void parentCommonLines(Builder& b, const KisiAraSubject& s)
{
    b.add(QStringLiteral("AND COALESCE(K.ANNE_KOD,0) <>") + Q(s.P));
    if (!s.E.isEmpty())
        b.add(QStringLiteral("AND COALESCE(K.BLKISIKODU,0) <>") + Q(s.E));
}

void fatherLines(Builder& b, const KisiAraSubject& s)
{
    const QString& P = s.P;
    b.list(kNotInSp, b.keys(QStringLiteral("SELECT COALESCE(BABA_KOD,0) FROM KISI WHERE BLKISIKODU IN(SELECT "
                                           "COALESCE(BABA_KOD,0) FROM KISI WHERE COALESCE(ANNE_KOD,0) =")
                            + Q(P) + QLatin1Char(')')));
    b.list(kNotInSp, b.keys(QStringLiteral("SELECT COALESCE(BABA_KOD,0) FROM KISI WHERE BLKISIKODU IN(SELECT "
                                           "COALESCE(ANNE_KOD,0) FROM KISI WHERE COALESCE(BABA_KOD,0) =")
                            + Q(P) + QLatin1Char(')')));
    b.list(kNotIn, b.keys(QStringLiteral("SELECT COALESCE(BABA_KOD,0) FROM KISI WHERE COALESCE(ANNE_KOD,0) =") + Q(P)));
    b.add(QStringLiteral("AND K.BLKISIKODU <>") + Q(P));
    b.add(QStringLiteral("AND COALESCE(K.BABA_KOD,0) <>") + Q(P));
    b.list(kNotInSp,
           b.keys(QStringLiteral("SELECT COALESCE(BLKISIKODU,0) FROM KISI WHERE COALESCE(KISI.ES_KOD,0) =") + Q(P)));
    b.add(QStringLiteral("AND K.CINSIYET =") + Q(QStringLiteral("0")));
    if (!s.F.isEmpty()) {
        const QString siblings = b.keys(childrenByFather(s.F));
        b.list(kFatherNotIn, siblings);
        b.list(kMotherNotIn, siblings);
        b.list(kNotIn, b.keys(QStringLiteral("SELECT COALESCE(BABA_KOD,0) FROM KISI WHERE BLKISIKODU IN(SELECT "
                                             "COALESCE(BABA_KOD,0) FROM KISI WHERE BLKISIKODU =")
                              + Q(s.F) + QLatin1Char(')')));
        b.add(QStringLiteral("AND K.BLKISIKODU <>") + Q(s.F));
        b.add(QStringLiteral("AND COALESCE(K.BABA_KOD,0)<>") + Q(s.F));
        b.list(kNotIn, b.keys(fatherOf(s.F)));
    }
    if (!s.M.isEmpty()) {
        const QString siblings = b.keys(childrenByMother(s.M));
        b.list(kFatherNotIn, siblings);
        b.list(kMotherNotIn, siblings);
        b.add(QStringLiteral("AND COALESCE(K.ANNE_KOD,0)<>") + Q(s.M));
        b.list(kNotIn, b.keys(QStringLiteral("SELECT COALESCE(BLKISIKODU,0) FROM KISI WHERE BLKISIKODU IN (SELECT "
                                             "COALESCE(BABA_KOD,0) FROM KISI WHERE BLKISIKODU =")
                              + Q(s.M) + QLatin1Char(')')));
        b.list(kNotIn, b.keys(fatherOf(s.M)));
    }
    parentCommonLines(b, s);
}

void motherLines(Builder& b, const KisiAraSubject& s)
{
    const QString& P = s.P;
    b.list(kNotInSp, b.keys(QStringLiteral("SELECT COALESCE(ANNE_KOD,0) FROM KISI WHERE BLKISIKODU IN(SELECT "
                                           "COALESCE(BABA_KOD,0) FROM KISI WHERE COALESCE(ANNE_KOD,0) =")
                            + Q(P) + QLatin1Char(')')));
    b.list(kNotInSp, b.keys(QStringLiteral("SELECT COALESCE(ANNE_KOD,0) FROM KISI WHERE BLKISIKODU IN(SELECT "
                                           "COALESCE(ANNE_KOD,0) FROM KISI WHERE COALESCE(BABA_KOD,0) =")
                            + Q(P) + QLatin1Char(')')));
    b.add(QStringLiteral("AND K.BLKISIKODU <>") + Q(P));
    b.list(kNotIn, b.keys(QStringLiteral("SELECT COALESCE(ANNE_KOD,0) FROM KISI WHERE COALESCE(BABA_KOD,0) =") + Q(P)));
    b.add(QStringLiteral("AND COALESCE(K.BABA_KOD,0) <>") + Q(P));
    b.list(kNotIn, b.keys(QStringLiteral("SELECT COALESCE(BLKISIKODU,0) FROM KISI WHERE COALESCE(ES_KOD,0) =") + Q(P)));
    b.add(QStringLiteral("AND K.CINSIYET =") + Q(QStringLiteral("1")));
    if (!s.F.isEmpty()) {
        const QString siblings = b.keys(childrenByFather(s.F));
        b.list(kFatherNotIn, siblings);
        b.list(kMotherNotIn, siblings);
        b.list(kNotIn, b.keys(motherOf(s.F)));
        b.add(QStringLiteral("AND COALESCE(K.BABA_KOD,0) <>") + Q(s.F));
    }
    if (!s.M.isEmpty()) {
        const QString siblings = b.keys(childrenByMother(s.M));
        b.list(kFatherNotIn, siblings);
        b.list(kMotherNotIn, siblings);
        b.add(QStringLiteral("AND K.BLKISIKODU <>") + Q(s.M));
        b.add(QStringLiteral("AND COALESCE(K.ANNE_KOD,0)<>") + Q(s.M));
        b.list(kNotIn, b.keys(motherOf(s.M)));
    }
    parentCommonLines(b, s);
}

QString containsLine(const QString& column, const QString& text)
{
    return QStringLiteral("AND UPPER(K.%1) LIKE UPPER(").arg(column) + Q(QLatin1Char('%') + text + QLatin1Char('%'))
         + QStringLiteral(" COLLATE PXW_TURK)");
}

} // namespace

QStringList KisiAraLines(const KisiAraSubject& subject, const KisiAraModes& modes, const KisiAraCriteria& criteria,
                         const KisiAraKeys& keys)
{
    QStringList lines;
    lines << QStringLiteral("Select K.*,KA.AD || ") + Q(QStringLiteral(" "))
                 + QStringLiteral(" || KA.SOYAD AS ANNE_ADI, KB.AD || ") + Q(QStringLiteral(" "))
                 + QStringLiteral(" || KB.SOYAD AS BABA_ADI FROM KISI K")
          << QStringLiteral("LEFT JOIN KISI KA ON (KA.BLKISIKODU=K.ANNE_KOD)")
          << QStringLiteral("LEFT JOIN KISI KB ON (KB.BLKISIKODU=K.BABA_KOD)")
          << QStringLiteral("WHERE K.BLKISIKODU>0");
    Builder b(lines, keys);
    if (modes.spouse)
        spouseLines(b, subject);
    if (modes.father)
        fatherLines(b, subject);
    if (modes.mother)
        motherLines(b, subject);

    if (!criteria.text.isEmpty()) {
        switch (criteria.field) {
        case KisiAraField::KisiAdi: b.add(containsLine(QStringLiteral("AD"), criteria.text)); break;
        case KisiAraField::KisiKodu: b.add(containsLine(QStringLiteral("KISI_KOD"), criteria.text)); break;
        case KisiAraField::AileAdi: b.add(containsLine(QStringLiteral("AILE_AD"), criteria.text)); break;
        case KisiAraField::Hepsi: break;
        }
    }
    if (!criteria.group.isEmpty())
        b.add(containsLine(QStringLiteral("GURUP"), criteria.group));
    return lines;
}

KisiAraSubject SubjectFrom(Dataset& person)
{
    KisiAraSubject s;
    if (!person.active() || person.isEmpty())
        return s;
    s.P = KeyText(person.value(QStringLiteral("BLKISIKODU")));
    s.F = KeyText(person.value(QStringLiteral("BABA_KOD")));
    s.M = KeyText(person.value(QStringLiteral("ANNE_KOD")));
    s.E = KeyText(person.value(QStringLiteral("ES_KOD")));
    s.gender = person.value(QStringLiteral("CINSIYET")).toString().trimmed();
    return s;
}

QString JoinedKeys(Dataset& dataset, const QString& statement)
{
    dataset.close();
    dataset.setSql(statement);
    dataset.open();
    QStringList values;
    const int n = dataset.recordCount();
    for (int row = 0; row < n; ++row) {
        const QString key = KeyValueText(dataset.valueAt(row, 0));
        if (!key.isEmpty())
            values << key;
    }
    dataset.close();
    return values.join(QStringLiteral(", "));
}
