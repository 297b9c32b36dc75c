#pragma once

#include <QList>
#include <QtGlobal>

// Deterministic pseudo-random numbers for the demo folder: xorshift64*
// seeded through splitmix64. All arithmetic is spelled out here, so one seed
// gives the same sequence with every compiler and standard library (the
// std::*_distribution classes do not promise that).
class DemoRandom {
public:
    explicit DemoRandom(quint64 seed);

    quint64 next();
    // Uniform in [0, 1), 53 bits.
    double unit();
    // Uniform in [low, high).
    double real(double low, double high);
    // Uniform in [low, high], both included.
    int integer(int low, int high);
    bool chance(double probability) { return unit() < probability; }

    template <typename T> void shuffle(QList<T>& list)
    {
        for (qsizetype i = list.size() - 1; i > 0; --i)
            list.swapItemsAt(i, integer(0, int(i)));
    }
    template <typename T> const T& pick(const QList<T>& list)
    {
        return list.at(integer(0, int(list.size()) - 1));
    }

private:
    quint64 m_state;
};
