#pragma once

#include <QString>

#include <cstdint>

// The two-letter ids of free-form questions: "AA" to "AZ", "BA" to "BZ", ..., "ZZ", then "AA" again. The
// program keeps one for its whole run (held by its context); a project carries the counter in its
// free-form records, and reading one sets the counter back to the letters stored.
class CQuestionIdCounter
{
public:
    // The current letters as an id; the counter then moves on.
    QString Next();
    // The letters the next id will have, without moving on.
    QString Peek() const;

    // The letters as stored in a record: the first, then the second.
    uint8_t First() const { return m_first; }
    uint8_t Second() const { return m_second; }
    // Sets the letters read from a record. A byte outside "A" to "Z" would put any character into published
    // script, so it becomes "A".
    void Set(uint8_t first, uint8_t second);
    void Reset() { m_first = m_second = 'A'; }

private:
    uint8_t m_first = 'A';
    uint8_t m_second = 'A';
};
