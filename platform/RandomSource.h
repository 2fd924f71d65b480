#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

// Random draws. Whatever chooses at random (missing words, library pictures, picture effects) takes its
// draws from the source its caller gives it, so tests can fix them. Next() returns 0 to 32767.
class CRandomSource
{
public:
    virtual ~CRandomSource() = default;
    virtual int Next() = 0;
};

// The program's source: seeded once, from the clock when no seed is given.
class CSeededRandom : public CRandomSource
{
public:
    CSeededRandom();
    explicit CSeededRandom(uint64_t seed) : m_state(seed) {}
    int Next() override;

private:
    uint64_t m_state;
};

// Gives the scripted draws in turn, then 0. For tests.
class CScriptedRandom : public CRandomSource
{
public:
    CScriptedRandom(std::initializer_list<int> draws) : m_draws(draws) {}
    void Script(std::initializer_list<int> draws) { m_draws.insert(m_draws.end(), draws); }
    int Next() override { return m_next < m_draws.size() ? m_draws[m_next++] : 0; }
    std::size_t Used() const { return m_next; }

private:
    std::vector<int> m_draws;
    std::size_t m_next = 0;
};
