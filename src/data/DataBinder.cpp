#include "data/DataBinder.h"

#include "shell/Messages.h"
#include "shell/SilentAbort.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

#include <algorithm>

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

namespace {
// A date edit's text with no digit in it (blank, or only the mask's points) is no date.
bool blankDate(const QString& t)
{
    return std::none_of(t.begin(), t.end(), [](QChar c) { return c.isDigit(); });
}
} // namespace

QDate DataBinder::typedDate(const QString& text, bool* ok)
{
    const QDate d = QDate::fromString(text.trimmed(), QStringLiteral("dd.MM.yyyy"));
    *ok = blankDate(text) || d.isValid();
    return d;
}

void DataBinder::bindDate(QLineEdit* edit, const QString& field)
{
    m_links.push_back({edit, field, Kind::Date, {}, {}});
    const Link l = m_links.back();
    connect(edit, &QLineEdit::textEdited, this, [this, l, edit] {
        if (m_dateEdit != edit) {
            // Typing stores every whole date on the way; a refusal goes back to this one.
            m_dateEdit = edit;
            const bool has = m_ds->active() && m_ds->fieldIndex(l.field) >= 0 && (m_ds->recNo() >= 0 || m_ds->isEditing());
            m_dateBefore = has ? m_ds->value(l.field) : QVariant();
        }
        bool ok = false;
        const QDate d = typedDate(edit->displayText(), &ok);
        if (!ok) {
            // A half-typed date stores nothing yet; the row is being edited all the same.
            if (!m_ds->isEditing() && m_ds->active())
                enterEdit(l);
            return;
        }
        userChanged(l, d.isValid() ? QVariant(d) : QVariant());
    });
    edit->installEventFilter(this);
    if (!m_guardHooked) {
        m_guardHooked = true;
        // The guard goes in front of whatever the owner sets before its first edit.
        connect(m_ds, &Dataset::stateChanged, this, [this](Dataset::State s) {
            if (m_postGuard || (s != Dataset::State::Edit && s != Dataset::State::Insert))
                return;
            m_postGuard = true;
            QPointer<DataBinder> self(this);
            m_ds->beforePost = [self, next = m_ds->beforePost](Dataset& d) {
                if (self)
                    self->checkDates();
                if (next)
                    next(d);
            };
        });
    }
    show(l);
}

QLineEdit* DataBinder::invalidDateEdit() const
{
    for (const Link& l : m_links) {
        if (l.kind != Kind::Date || !l.widget)
            continue;
        auto* e = static_cast<QLineEdit*>(l.widget.data());
        bool ok = false;
        typedDate(e->displayText(), &ok);
        if (!ok)
            return e;
    }
    return nullptr;
}

void DataBinder::checkDates()
{
    // The row never goes out with the old date behind a date the user sees typed.
    if (QLineEdit* e = invalidDateEdit()) {
        ShowInfo(kGecersizTarih + e->displayText());
        e->setFocus();
        Abort();
    }
}

bool DataBinder::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && watched->isWidgetType()) {
        for (const Link& l : m_links) {
            if (l.kind != Kind::Date || l.widget != watched)
                continue;
            auto* e = static_cast<QLineEdit*>(l.widget.data());
            bool ok = false;
            typedDate(e->displayText(), &ok);
            // A popup (the edit's calendar) taking the focus is no leaving.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (!ok && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
                const QString typed = e->displayText();
                if (m_dateEdit == e && m_ds->active() && m_ds->isEditing())
                    userChanged(l, m_dateBefore);
                show(l); // refused: the date from before the typing shows again
                ShowInfo(kGecersizTarih + typed);
            }
            m_dateEdit = nullptr;
            break;
        }
    }
    return QObject::eventFilter(watched, event);
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
    if (l.widget == m_dateEdit)
        m_dateEdit = nullptr; // the row shows anew: a new typing starts from it
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
