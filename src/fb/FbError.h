#pragma once
#include <QString>
#include <stdexcept>

namespace fb {

// A database failure. The text is the whole message the client library formats from the
// status vector ("deadlock\n-update conflicts with concurrent update\n..."), so the error
// handler can recognise it by its wording.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& text, long gdsCode = 0)
        : std::runtime_error(text.toStdString()), m_text(text), m_gdsCode(gdsCode) {}
    const QString& text() const { return m_text; }
    long gdsCode() const { return m_gdsCode; }

private:
    QString m_text;
    long m_gdsCode;
};

} // namespace fb
