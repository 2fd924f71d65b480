#pragma once

#include <QString>

#include <optional>
#include <utility>

// What a headless operation that can fail gives back: its value, or the text that tells the author why it
// failed. Headless code never shows the text itself; the command layer that called it does.
template <typename T>
class CResult
{
public:
    CResult(T value) : m_value(std::move(value)) {}
    static CResult Fail(QString error)
    {
        CResult r;
        r.m_error = std::move(error);
        if (r.m_error.isEmpty())
            r.m_error = QStringLiteral("The operation failed.");
        return r;
    }

    bool Ok() const { return m_value.has_value(); }
    explicit operator bool() const { return Ok(); }

    // The value of a result that holds one; calling it on a failure is a programming fault.
    const T &Value() const & { return *m_value; }
    T &Value() & { return *m_value; }
    T &&Value() && { return std::move(*m_value); }
    const T &operator*() const & { return *m_value; }
    T &operator*() & { return *m_value; }
    const T *operator->() const { return &*m_value; }
    T *operator->() { return &*m_value; }
    T ValueOr(T other) const { return m_value ? *m_value : std::move(other); }

    // Empty when the operation succeeded.
    const QString &Error() const { return m_error; }

private:
    CResult() = default;
    std::optional<T> m_value;
    QString m_error;
};

// An operation that gives nothing back but can fail.
template <>
class CResult<void>
{
public:
    CResult() = default;
    static CResult Fail(QString error)
    {
        CResult r;
        r.m_failed = true;
        r.m_error = error.isEmpty() ? QStringLiteral("The operation failed.") : std::move(error);
        return r;
    }

    bool Ok() const { return !m_failed; }
    explicit operator bool() const { return Ok(); }
    const QString &Error() const { return m_error; }

private:
    bool m_failed = false;
    QString m_error;
};

using CStatus = CResult<void>;

// Spelled where a function returns a failure of any result type: `return CFailure(text);`.
struct CFailure
{
    explicit CFailure(QString text) : error(std::move(text)) {}
    template <typename T>
    operator CResult<T>() const { return CResult<T>::Fail(error); }
    QString error;
};
