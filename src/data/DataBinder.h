#pragma once
// Binds edits, memos, combo boxes, check boxes and spin boxes to fields of a dataset: the
// controls show the current row, and typing into one puts the dataset into edit (or insert)
// state first, then writes the field.
#include "data/Dataset.h"

#include <QDate>
#include <QObject>
#include <QPointer>

#include <vector>

inline const QString kGecersizTarih = QStringLiteral("Geçersiz tarih : ");

class QWidget;
class QLineEdit;
class QPlainTextEdit;
class QComboBox;
class QCheckBox;
class QSpinBox;

class DataBinder : public QObject {
    Q_OBJECT
public:
    explicit DataBinder(Dataset* dataset, QObject* parent = nullptr);

    void bind(QLineEdit* edit, const QString& field);
    void bind(QPlainTextEdit* memo, const QString& field);
    void bind(QComboBox* combo, const QString& field);       // the text is the value
    void bind(QCheckBox* box, const QString& field, const QVariant& checked = QStringLiteral("True"),
              const QVariant& unchecked = QStringLiteral("False"));
    void bind(QSpinBox* spin, const QString& field);
    // Dates are typed as dd.MM.yyyy; a text without digits (an empty mask) is null. A date that
    // is no date is refused with a message when the edit is left, and stops the post.
    void bindDate(QLineEdit* edit, const QString& field);
    // The first bound date edit whose text is no date, or null.
    QLineEdit* invalidDateEdit() const;
    // Shows "Geçersiz tarih : ..." for such an edit, focuses it and aborts.
    void checkDates();
    // The date a text stands for; ok is false when the text is neither blank nor a date.
    static QDate typedDate(const QString& text, bool* ok);

    void refreshControls();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Kind { Line, Memo, Combo, Check, Spin, Date };
    struct Link {
        QPointer<QWidget> widget;
        QString field;
        Kind kind;
        QVariant on, off;
    };
    void userChanged(const Link& link, const QVariant& value);
    void enterEdit(const Link& link);
    void show(const Link& link);

    Dataset* m_ds;
    std::vector<Link> m_links;
    bool m_updating = false;
    QWidget* m_typing = nullptr; // keeps what the user typed while the row goes into edit
    bool m_guardHooked = false;
    QWidget* m_dateEdit = nullptr; // the date edit being typed into
    QVariant m_dateBefore;         // its field's value before that typing
    bool m_postGuard = false;    // date check put in front of the dataset's beforePost
};
