#pragma once

// Base of every private-state class in the logging code: it keeps the back pointer to the public
// object that owns it.
template <typename Public>
class QxtPrivate
{
public:
    explicit QxtPrivate(Public* owner)
        : m_public(owner)
    {
    }
    virtual ~QxtPrivate() = default;

    QxtPrivate(const QxtPrivate&) = delete;
    QxtPrivate& operator=(const QxtPrivate&) = delete;

    Public* qxt_p() const { return m_public; }

private:
    Public* m_public;
};
