#include "DemoRandom.h"

DemoRandom::DemoRandom(quint64 seed)
{
    // splitmix64 spreads small seeds (0, 1, 2 ...) over the whole state and
    // never yields the all-zero state that xorshift cannot leave.
    quint64 z = seed + 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    m_state = z ? z : 0x2545F4914F6CDD1Dull;
}

quint64 DemoRandom::next()
{
    m_state ^= m_state >> 12;
    m_state ^= m_state << 25;
    m_state ^= m_state >> 27;
    return m_state * 0x2545F4914F6CDD1Dull;
}

double DemoRandom::unit()
{
    return double(next() >> 11) * (1.0 / 9007199254740992.0); // 2^53
}

double DemoRandom::real(double low, double high)
{
    return low + (high - low) * unit();
}

int DemoRandom::integer(int low, int high)
{
    if (high <= low)
        return low;
    const quint64 span = quint64(qint64(high) - qint64(low) + 1);
    return int(qint64(low) + qint64(next() % span));
}
