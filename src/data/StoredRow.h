#pragma once
// A fetched row of a dataset, kept compact: its values packed one after another into a single
// buffer (texts as UTF-8, numbers and dates in a few bytes), so that a list of a hundred
// thousand persons costs a fraction of what one QVariant per cell would. A row holding a value
// the packing does not know is kept as it is.
#include <QByteArray>
#include <QVariant>

#include <memory>
#include <vector>

class StoredRow {
public:
    using Values = std::vector<QVariant>;

    StoredRow() = default;
    explicit StoredRow(const Values& values);
    StoredRow(const StoredRow& other);
    StoredRow& operator=(const StoredRow& other);
    StoredRow(StoredRow&&) noexcept = default;
    StoredRow& operator=(StoredRow&&) noexcept = default;

    int size() const { return m_count; }
    QVariant value(int field) const; // invalid when out of range
    Values values() const;

private:
    QByteArray m_packed;
    std::unique_ptr<Values> m_plain;
    int m_count = 0;
};
