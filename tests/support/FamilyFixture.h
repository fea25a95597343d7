#pragma once
// A family around one man (role "subject") with every kind of relative the person search
// has to leave out, plus unrelated men and women (group "Komşu"). Each person is known by a
// role name; the first names are unique.
//
//   ggf                                   great-grandfather (father of gfP)
//   gfP + gmP          gfM + gmM          grandparents
//   father + mother                       subject, brother, sister
//   father + stepmother                   halfBrother
//   stepfather + mother                   halfSister  -> halfNiece (father unknown)
//   brother + brotherWife                 nephew, nephewSister
//   sisterHusband + sister                niece
//   subject + childMother                 son, daughter; childMother's parents cmFather, cmMother
//   subject.ES_KOD = wifeEs;  partnerEs.ES_KOD = subject
//   unrelated: ismailU ("İsmail"), ismailL ("ismail"), cem (links stored as 0),
//              irmakU ("Irmak", links stored as 0), irmakL ("ırmak"), aysel, gunay
#include "PersonDb.h"

#include <QHash>
#include <QSet>
#include <QStringList>

class FamilyFixture {
public:
    FamilyFixture();

    PersonDb& db() { return m_db; }
    qint64 key(const QString& role) const;
    QString role(qint64 key) const;   // empty when unknown
    QString name(const QString& role) const { return m_names.value(role); }
    QSet<QString> roles() const;
    QSet<QString> men() const { return m_men; }
    QSet<QString> women() const { return m_women; }
    QSet<QString> unrelated() const { return m_unrelated; }

private:
    qint64 add(const QString& role, const QString& ad, const QString& gender, const QString& father = {},
               const QString& mother = {}, const QString& spouse = {});

    PersonDb m_db;
    QHash<QString, qint64> m_keys;
    QHash<qint64, QString> m_roles;
    QHash<QString, QString> m_names;
    QSet<QString> m_men, m_women, m_unrelated;
};
