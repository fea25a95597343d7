#include "data/DataBinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

DataBinder::DataBinder(Dataset* ds, QObject* parent) : QObject(parent), m_ds(ds)
{
    connect(ds, &Dataset::currentChanged, this, &DataBinder::refreshControls);
    connect(ds, &Dataset::stateChanged, this, &DataBinder::refreshControls);
    connect(ds, &Dataset::opened, this, &DataBinder::refreshControls);
    connect(ds, &Dataset::closed, this, &DataBinder::refreshControls);
    connect(ds, &Dataset::fieldChanged, this, [this](const QString& name) {
        for (const Link& l : m_links)
            if (l.field.compare(name, Qt::CaseInsensitive) == 0)
                show(l);
    });
}

void DataBinder::enterEdit(const Link& link)
{
    // Going into edit redraws the controls from the row; the one being typed into must keep
    // its text (a refused edit shows the row again).
    m_typing = link.widget;
    try {
        m_ds->edit();
    } catch (...) {
        m_typing = nullptr;
        show(link);
        throw;
    }
    m_typing = nullptr;
}

void DataBinder::userChanged(const Link& link, const QVariant& value)
{
    if (m_updating || !m_ds->active())
        return;
    if (!m_ds->isEditing())
        enterEdit(link);
    m_updating = true;
    try {
        m_ds->setValue(link.field, value);
    } catch (...) {
        m_updating = false;
        throw;
    }
    m_updating = false;
}

void DataBinder::bind(QLineEdit* edit, const QString& field)
{
    m_links.push_back({edit, field, Kind::Line, {}, {}});
    const Link l = m_links.back();
    connect(edit, &QLineEdit::textEdited, this, [this, l](const QString& t) { userChanged(l, t.isEmpty() ? QVariant() : QVariant(t)); });
    show(l);
}

void DataBinder::bindDate(QLineEdit* edit, const QString& field)
{
    m_links.push_back({edit, field, Kind::Date, {}, {}});
    const Link l = m_links.back();
    connect(edit, &QLineEdit::textEdited, this, [this, l](const QString& t) {
        const QDate d = QDate::fromString(t.trimmed(), QStringLiteral("dd.MM.yyyy"));
        if (t.trimmed().isEmpty())
            userChanged(l, QVariant());
        else if (d.isValid())
            userChanged(l, d);
        else if (!m_ds->isEditing() && m_ds->active())
            enterEdit(l); // half-typed date: the row is being edited all the same
    });
    show(l);
}

void DataBinder::bind(QPlainTextEdit* memo, const QString& field)
{
    m_links.push_back({memo, field, Kind::Memo, {}, {}});
    const Link l = m_links.back();
    connect(memo, &QPlainTextEdit::textChanged, this, [this, l, memo] {
        const QString t = memo->toPlainText();
        userChanged(l, t.isEmpty() ? QVariant() : QVariant(t));
    });
    show(l);
}

void DataBinder::bind(QComboBox* combo, const QString& field)
{
    m_links.push_back({combo, field, Kind::Combo, {}, {}});
    const Link l = m_links.back();
    connect(combo, &QComboBox::textActivated, this, [this, l](const QString& t) { userChanged(l, t.isEmpty() ? QVariant() : QVariant(t)); });
    if (combo->isEditable())
        connect(combo, &QComboBox::editTextChanged, this, [this, l](const QString& t) { userChanged(l, t.isEmpty() ? QVariant() : QVariant(t)); });
    show(l);
}

void DataBinder::bind(QCheckBox* box, const QString& field, const QVariant& on, const QVariant& off)
{
    m_links.push_back({box, field, Kind::Check, on, off});
    const Link l = m_links.back();
    connect(box, &QCheckBox::clicked, this, [this, l](bool checked) { userChanged(l, checked ? l.on : l.off); });
    show(l);
}

void DataBinder::bind(QSpinBox* spin, const QString& field)
{
    m_links.push_back({spin, field, Kind::Spin, {}, {}});
    const Link l = m_links.back();
    connect(spin, &QSpinBox::valueChanged, this, [this, l](int v) { userChanged(l, v); });
    show(l);
}

void DataBinder::refreshControls()
{
    for (const Link& l : m_links)
        show(l);
}

void DataBinder::show(const Link& l)
{
    if (!l.widget || m_updating || l.widget == m_typing)
        return;
    const bool has = m_ds->active() && m_ds->fieldIndex(l.field) >= 0 && (m_ds->recNo() >= 0 || m_ds->isEditing());
    const QVariant v = has ? m_ds->value(l.field) : QVariant();
    m_updating = true;
    switch (l.kind) {
    case Kind::Line:
        static_cast<QLineEdit*>(l.widget.data())->setText(has ? m_ds->text(l.field) : QString());
        break;
    case Kind::Date:
        static_cast<QLineEdit*>(l.widget.data())->setText(v.isNull() ? QString() : v.toDate().toString(QStringLiteral("dd.MM.yyyy")));
        break;
    case Kind::Memo: {
        auto* memo = static_cast<QPlainTextEdit*>(l.widget.data());
        if (memo->toPlainText() != v.toString())
            memo->setPlainText(v.toString());
        break;
    }
    case Kind::Combo: {
        auto* combo = static_cast<QComboBox*>(l.widget.data());
        const int i = combo->findText(v.toString());
        if (combo->isEditable())
            combo->setEditText(v.toString());
        else
            combo->setCurrentIndex(i);
        break;
    }
    case Kind::Check:
        static_cast<QCheckBox*>(l.widget.data())->setChecked(v.isValid() && !v.isNull() && v.toString() == l.on.toString());
        break;
    case Kind::Spin:
        static_cast<QSpinBox*>(l.widget.data())->setValue(v.toInt());
        break;
    }
    m_updating = false;
}
